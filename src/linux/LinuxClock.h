#pragma once

#include "platform/Clock.h"

namespace orvan {

// The system clocks, and a timer file descriptor that notices when the time changes.
//
// The class runs no loop and no thread: the owner watches timeChangeFd() for
// readability and calls onTimeChangeFdReadable(). The descriptor becomes readable
// when somebody sets the clock and at every whole minute, when the local offset
// from UTC is compared with the last one seen (daylight saving, a new time zone).
class LinuxClock : public Clock {
public:
    // Local offset from UTC in milliseconds.
    using OffsetSource = std::function<std::int64_t()>;

    // Reads the offset from the C library's idea of the local time zone.
    LinuxClock();
    // Takes the offset from `offsetSource` instead, so that a change can be staged.
    explicit LinuxClock(OffsetSource offsetSource);
    ~LinuxClock() override;

    LinuxClock(const LinuxClock&) = delete;
    LinuxClock& operator=(const LinuxClock&) = delete;

    std::int64_t utcMillis() const override;
    std::int64_t utcOffsetMillis() const override;
    std::int64_t millisSinceBoot() const override;
    void setTimeChangedHandler(std::function<void()> handler) override;

    // -1 when the kernel refused a timer; then only checkOffset() notices changes.
    int timeChangeFd() const { return fd_; }
    void onTimeChangeFdReadable();
    // Raises the handler when the local offset differs from the one last seen.
    void checkOffset();

    // The local offset according to TZ (checked on every call) or /etc/localtime
    // (checked at most once a second).
    static std::int64_t systemUtcOffsetMillis();

private:
    void arm();
    void raise();

    OffsetSource offsetSource_;
    std::function<void()> handler_;
    std::int64_t lastOffset_ = 0;
    int fd_ = -1;
};

} // namespace orvan
