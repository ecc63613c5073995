#pragma once

#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <string>

namespace orvan {

// A name looked up on a thread of its own, so that a slow name server never holds up
// the event loop. fd() becomes readable once the answer is in. The thread shares the
// lookup: dropping it early leaves the thread to finish and free it.
class HostLookup {
public:
    // Null when no thread or descriptor could be had.
    static std::shared_ptr<HostLookup> start(const std::string& host, int port);
    ~HostLookup();
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    int fd() const { return fd_; }
    // Once fd() is readable: 0 and the address, or the error number of
    // Ipv4Address::resolve().
    int error() const;
    sockaddr_in address() const;

private:
    explicit HostLookup(int fd)
        : fd_(fd) {}

    const int fd_;
    mutable std::mutex mutex_;
    int error_ = 0;
    sockaddr_in address_{};
};

} // namespace orvan
