#include "Connection.h"

#include "Tags.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace orvan::cafe {

namespace {
// Caps one call so that a fast sender cannot starve the other connections.
constexpr std::size_t kMaxReadPerCall = 1024 * 1024;
constexpr std::size_t kChunk = 64 * 1024;
} // namespace

Connection::Connection(UniqueFd fd, int number, std::string peer)
    : fd_(std::move(fd))
    , workstation_(number, std::move(peer))
    , cutter_(std::string{Tags::kMessageEnd}) {}

bool Connection::receive(std::vector<std::string>& messages) {
    char chunk[kChunk];
    for (std::size_t total = 0; total < kMaxReadPerCall;) {
        const auto got = ::read(fd_.get(), chunk, sizeof chunk);
        if (got == 0) {
            return false;
        }
        if (got < 0) {
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        }
        for (auto& message : cutter_.feed(std::string_view(chunk, static_cast<std::size_t>(got)))) {
            messages.push_back(std::move(message));
        }
        if (cutter_.pending() > kMaxInbound) {
            return false;
        }
        total += static_cast<std::size_t>(got);
    }
    return true;
}

bool Connection::queue(std::string_view bytes) {
    if (outbox_.size() - sent_ + bytes.size() > kMaxOutbound) {
        return false;
    }
    // Drop what has gone out, so that the queue holds no more than the limit.
    outbox_.erase(0, sent_);
    sent_ = 0;
    outbox_.append(bytes);
    return flush();
}

bool Connection::flush() {
    while (sent_ < outbox_.size()) {
        const auto put =
            ::send(fd_.get(), outbox_.data() + sent_, outbox_.size() - sent_, MSG_NOSIGNAL);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        sent_ += static_cast<std::size_t>(put);
    }
    outbox_.clear();
    sent_ = 0;
    return true;
}

} // namespace orvan::cafe
