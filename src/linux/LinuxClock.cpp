#include "LinuxClock.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <sys/timerfd.h>
#include <unistd.h>

namespace orvan {
namespace {

std::int64_t millis(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

} // namespace

LinuxClock::LinuxClock()
    : LinuxClock(&LinuxClock::systemUtcOffsetMillis) {}

LinuxClock::LinuxClock(OffsetSource offsetSource)
    : offsetSource_(std::move(offsetSource))
    , lastOffset_(offsetSource_())
    , fd_(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
    arm();
}

LinuxClock::~LinuxClock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

std::int64_t LinuxClock::utcMillis() const {
    return millis(CLOCK_REALTIME);
}

std::int64_t LinuxClock::utcOffsetMillis() const {
    return offsetSource_();
}

// CLOCK_MONOTONIC would stop while the computer sleeps, and a session must be billed
// for that time too.
std::int64_t LinuxClock::millisSinceBoot() const {
    return millis(CLOCK_BOOTTIME);
}

void LinuxClock::setTimeChangedHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
}

void LinuxClock::onTimeChangeFdReadable() {
    std::uint64_t expirations = 0;
    const ssize_t got = read(fd_, &expirations, sizeof expirations);
    const bool clockWasSet = got < 0 && errno == ECANCELED;
    // A cancelled timer stays cancelled, and an expired one is spent, until armed again.
    arm();
    if (clockWasSet) {
        lastOffset_ = offsetSource_();
        raise();
    } else if (got == static_cast<ssize_t>(sizeof expirations)) {
        checkOffset();
    }
}

void LinuxClock::checkOffset() {
    const std::int64_t offset = offsetSource_();
    if (offset != lastOffset_) {
        lastOffset_ = offset;
        raise();
    }
}

std::int64_t LinuxClock::systemUtcOffsetMillis() {
    // localtime_r need not look at TZ or /etc/localtime again; tzset does, so a time
    // zone chosen while we run is seen. It costs a file check, and the engine asks for
    // the local time many times a second: a new TZ is seen at once, a new zone file
    // within a second. The rules loaded give the exact offset at a daylight-saving change.
    thread_local std::string zone{"\x01"}; // no value of TZ
    thread_local std::int64_t checked = 0;
    const char* variable = std::getenv("TZ");
    const std::string_view current = variable != nullptr ? variable : "\x02unset";
    const std::int64_t tick = millis(CLOCK_MONOTONIC_COARSE);
    if (current != zone || tick - checked >= 1000) {
        zone = current;
        checked = tick;
        tzset();
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return 0;
    }
    return static_cast<std::int64_t>(local.tm_gmtoff) * 1000;
}

// Daylight-saving and zone changes take effect on a whole minute; waking a few
// milliseconds after it makes sure the new offset is already in force.
void LinuxClock::arm() {
    if (fd_ < 0) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    itimerspec next{};
    next.it_value.tv_sec = (now.tv_sec / 60 + 1) * 60;
    next.it_value.tv_nsec = 5'000'000;
    timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &next, nullptr);
}

void LinuxClock::raise() {
    if (handler_) {
        handler_();
    }
}

} // namespace orvan
