#include "EventFd.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace orvan::winlock {

EventFd::EventFd()
    : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

EventFd::~EventFd() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

void EventFd::signal() const {
    const std::uint64_t one = 1;
    // Cannot fail short of a counter overflow, and one signal is all it takes.
    [[maybe_unused]] const auto written = write(fd_, &one, sizeof one);
}

void EventFd::clear() const {
    std::uint64_t count = 0;
    // Non-blocking: nothing to read simply fails.
    [[maybe_unused]] const auto read = ::read(fd_, &count, sizeof count);
}

} // namespace orvan::winlock
