#include "session/SessionTickTimer.h"

#include <utility>

namespace orvan {

SessionTickTimer::SessionTickTimer(std::unique_ptr<Timer> timer)
    : timer_(std::move(timer)) {
    timer_->setInterval(kFirstTickMillis);
}

void SessionTickTimer::setInterval(std::int64_t millis) {
    timer_->setInterval(millis);
}

std::int64_t SessionTickTimer::interval() const {
    return timer_->interval();
}

void SessionTickTimer::setEnabled(bool enabled) {
    // Whatever the last plan was, it was made for a count that has since been stopped.
    if (enabled && !timer_->enabled()) {
        timer_->setInterval(kFirstTickMillis);
    }
    timer_->setEnabled(enabled);
}

bool SessionTickTimer::enabled() const {
    return timer_->enabled();
}

} // namespace orvan
