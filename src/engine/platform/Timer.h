#pragma once

#include <cstdint>

namespace orvan {

// A periodic timer with the semantics of a window timer control: it ticks every
// interval while enabled; enabling it, or changing the interval while enabled,
// starts a full interval; an interval of 0 never ticks.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setInterval(std::int64_t millis) = 0;
    virtual std::int64_t interval() const = 0;
    // Enabling an enabled timer changes nothing; disable first to restart the count.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    // A full interval from now, as a window timer is restarted: off, then on.
    void restart() {
        setEnabled(false);
        setEnabled(true);
    }
};

} // namespace orvan
