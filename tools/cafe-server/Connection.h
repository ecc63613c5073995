#pragma once

#include "StreamCutter.h"
#include "UniqueFd.h"
#include "Workstation.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// One workstation's TCP connection: non-blocking reads cut into messages, and a bounded
// outbound queue so that a workstation that stops reading cannot stall the server.
class Connection {
public:
    static constexpr std::size_t kMaxOutbound = 8 * 1024 * 1024;
    static constexpr std::size_t kMaxInbound = 16 * 1024 * 1024;

    Connection(UniqueFd fd, int number, std::string peer);

    int fd() const { return fd_.get(); }
    Workstation& workstation() { return workstation_; }
    const Workstation& workstation() const { return workstation_; }

    // Appends the complete messages waiting on the socket (end tags removed). False when
    // the peer has closed, the read failed, or a message grows beyond kMaxInbound.
    bool receive(std::vector<std::string>& messages);

    // Queues bytes and sends what the socket takes. False when the queue would pass
    // kMaxOutbound or the send failed: the caller then drops the connection.
    bool queue(std::string_view bytes);

    // Sends what the socket takes; false on a failed send.
    bool flush();

    bool wantsToWrite() const { return sent_ < outbox_.size(); }

    bool dropped() const { return dropped_; }
    void markDropped() { dropped_ = true; }

private:
    UniqueFd fd_;
    Workstation workstation_;
    StreamCutter cutter_;
    std::string outbox_;
    std::size_t sent_ = 0;
    bool dropped_ = false;
};

} // namespace orvan::cafe
