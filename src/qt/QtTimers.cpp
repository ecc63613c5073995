#include "QtTimers.h"

#include "EngineActivity.h"

#include <QTimer>

namespace orvan {
namespace {

class QtTimer : public Timer {
public:
    explicit QtTimer(std::function<void()> onTick) {
        // Within 5% of the interval Qt lines timers up with one another, so that the
        // 100 ms, 500 ms and one-second ones wake the process together; what counts
        // time (the session's charge) reads the clock rather than counting ticks.
        timer_.setTimerType(Qt::CoarseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(onTick)] {
            tick();
            EngineActivity::note();
        });
    }

    void setInterval(std::int64_t millis) override {
        interval_ = millis;
        timer_.setInterval(static_cast<int>(std::clamp<std::int64_t>(millis, 0, INT32_MAX)));
        if (enabled_) {
            restart();
        }
    }
    std::int64_t interval() const override { return interval_; }

    void setEnabled(bool enabled) override {
        if (enabled == enabled_) {
            return;
        }
        enabled_ = enabled;
        if (enabled) {
            restart();
        } else {
            timer_.stop();
        }
    }
    bool enabled() const override { return enabled_; }

private:
    void restart() {
        if (interval_ > 0) {
            timer_.start();
        } else {
            timer_.stop();
        }
    }

    QTimer timer_;
    std::int64_t interval_ = 0;
    bool enabled_ = false;
};

} // namespace

std::unique_ptr<Timer> QtTimers::createTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimer>(std::move(onTick));
}

} // namespace orvan
