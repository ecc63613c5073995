#pragma once

#include "platform/Clock.h"
#include "platform/Timers.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

namespace orvan::test {

// Virtual time for engine tests: timers fire in order of (deadline, sequence) as the
// test advances the time. Elapsed time moves the wall clock and the boot clock
// together; a wall-clock jump moves only the wall clock.
class VirtualTime : public Clock, public Timers {
public:
    VirtualTime();
    ~VirtualTime() override;

    std::int64_t utcMillis() const override { return utcMillis_; }
    std::int64_t utcOffsetMillis() const override { return offsetMillis_; }
    std::int64_t millisSinceBoot() const override { return bootMillis_; }
    void setTimeChangedHandler(std::function<void()> handler) override;

    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;

    // Lets `millis` pass, firing every timer that falls due on the way.
    void advance(std::int64_t millis);
    // Sets the wall clock as somebody at the computer would, and raises the
    // time-changed event; timers and the boot clock are untouched.
    void jumpWallClock(std::int64_t millis);
    // Changes the local offset from UTC (a daylight-saving switch) and raises the event.
    void setUtcOffset(std::int64_t millis);
    // Starting point, without raising anything.
    void setUtc(std::int64_t utcMillis) { utcMillis_ = utcMillis; }
    void setLocalDateTime(int year, int month, int day, int hour, int minute, int second,
                          int millis = 0);
    void setBoot(std::int64_t millis) { bootMillis_ = millis; }

    std::size_t pendingTimers() const { return queue_.size(); }

private:
    class VirtualTimer;
    struct Entry {
        std::function<void()> tick;
        std::int64_t interval = 0;
        bool enabled = false;
    };
    using Key = std::pair<std::int64_t, std::uint64_t>; // boot deadline, sequence

    void schedule(std::uint64_t id);
    void unschedule(std::uint64_t id);
    void raiseTimeChanged();

    std::int64_t utcMillis_ = 0;
    std::int64_t offsetMillis_ = 0;
    std::int64_t bootMillis_ = 0;
    std::uint64_t nextId_ = 1;
    std::uint64_t nextSequence_ = 1;
    std::map<std::uint64_t, Entry> timers_;
    std::map<Key, std::uint64_t> queue_;
    std::map<std::uint64_t, Key> scheduled_;
    std::function<void()> timeChanged_;
    std::shared_ptr<bool> alive_;
};

} // namespace orvan::test
