#pragma once

#include <cstdint>
#include <functional>

namespace orvan {

// Where the engine learns the time. Wall-clock readings may jump (the clock can be
// set); the boot clock only moves forward and keeps counting through suspend.
class Clock {
public:
    virtual ~Clock() = default;

    // Coordinated Universal Time, milliseconds since 1 January 1970.
    virtual std::int64_t utcMillis() const = 0;
    // Offset of local time from UTC at this instant, in milliseconds.
    virtual std::int64_t utcOffsetMillis() const = 0;
    // Milliseconds since the computer started; never set, never goes back.
    virtual std::int64_t millisSinceBoot() const = 0;

    // Called when somebody sets the system clock or the local offset from UTC
    // changes (time zone change, daylight-saving switch).
    virtual void setTimeChangedHandler(std::function<void()> handler) = 0;
};

} // namespace orvan
