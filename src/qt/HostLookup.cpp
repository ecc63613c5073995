#include "HostLookup.h"

#include "Ipv4Address.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace orvan {

std::shared_ptr<HostLookup> HostLookup::start(const std::string& host, int port) {
    const int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    std::shared_ptr<HostLookup> lookup(new HostLookup(fd));
    try {
        std::thread([lookup, host, port] {
            sockaddr_in address{};
            const int error = Ipv4Address::resolve(host, port, address);
            {
                const std::lock_guard guard(lookup->mutex_);
                lookup->error_ = error;
                lookup->address_ = address;
            }
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto written = ::write(lookup->fd_, &one, sizeof one);
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return lookup;
}

HostLookup::~HostLookup() {
    ::close(fd_);
}

int HostLookup::error() const {
    const std::lock_guard guard(mutex_);
    return error_;
}

sockaddr_in HostLookup::address() const {
    const std::lock_guard guard(mutex_);
    return address_;
}

} // namespace orvan
