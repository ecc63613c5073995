#pragma once

#include "platform/Timer.h"

#include <functional>
#include <memory>

namespace orvan {

// Makes timers. Ticks arrive one at a time on the engine's thread; destroying a
// timer (even from inside its own tick) cancels it.
class Timers {
public:
    virtual ~Timers() = default;

    virtual std::unique_ptr<Timer> createTimer(std::function<void()> onTick) = 0;
};

} // namespace orvan
