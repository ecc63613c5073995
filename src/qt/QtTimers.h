#pragma once

#include "platform/Timers.h"

namespace orvan {

// Timers on the Qt event loop.
class QtTimers : public Timers {
public:
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;
};

} // namespace orvan
