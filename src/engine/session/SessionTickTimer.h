#pragma once

#include "platform/Timer.h"

#include <cstdint>
#include <memory>

namespace orvan {

// The session clock's timer. Enabled, it first ticks after kFirstTickMillis, as the
// clock's window timer did; from then on the clock sets each next interval itself
// (SessionClock::planNextTick), so that a count-down that changes once a second does
// not wake the program ten times a second.
class SessionTickTimer : public Timer {
public:
    static constexpr std::int64_t kFirstTickMillis = 100;

    explicit SessionTickTimer(std::unique_ptr<Timer> timer);

    void setInterval(std::int64_t millis) override;
    std::int64_t interval() const override;
    void setEnabled(bool enabled) override;
    bool enabled() const override;

private:
    std::unique_ptr<Timer> timer_;
};

} // namespace orvan
