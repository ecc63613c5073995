#include "support/VirtualTime.h"

#include <chrono>

namespace orvan::test {

class VirtualTime::VirtualTimer : public Timer {
public:
    VirtualTimer(VirtualTime& time, std::uint64_t id)
        : time_(time)
        , id_(id)
        , alive_(time.alive_) {}
    ~VirtualTimer() override {
        if (*alive_) {
            time_.unschedule(id_);
            time_.timers_.erase(id_);
        }
    }

    void setInterval(std::int64_t millis) override {
        entry().interval = millis;
        if (entry().enabled) {
            time_.schedule(id_);
        }
    }
    std::int64_t interval() const override { return time_.timers_.at(id_).interval; }
    void setEnabled(bool enabled) override {
        if (enabled == entry().enabled) {
            return;
        }
        entry().enabled = enabled;
        if (enabled) {
            time_.schedule(id_);
        } else {
            time_.unschedule(id_);
        }
    }
    bool enabled() const override { return time_.timers_.at(id_).enabled; }

private:
    Entry& entry() { return time_.timers_.at(id_); }

    VirtualTime& time_;
    std::uint64_t id_;
    std::shared_ptr<bool> alive_;
};

VirtualTime::VirtualTime()
    : alive_(std::make_shared<bool>(true)) {
    setLocalDateTime(2026, 3, 5, 7, 4, 9);
    bootMillis_ = 10 * 60 * 1000;
}

VirtualTime::~VirtualTime() {
    *alive_ = false;
}

void VirtualTime::setTimeChangedHandler(std::function<void()> handler) {
    timeChanged_ = std::move(handler);
}

std::unique_ptr<Timer> VirtualTime::createTimer(std::function<void()> onTick) {
    const auto id = nextId_++;
    timers_[id] = Entry{std::move(onTick), 0, false};
    return std::make_unique<VirtualTimer>(*this, id);
}

void VirtualTime::schedule(std::uint64_t id) {
    unschedule(id);
    const auto& entry = timers_.at(id);
    if (!entry.enabled || entry.interval <= 0) {
        return;
    }
    const Key key{bootMillis_ + entry.interval, nextSequence_++};
    queue_[key] = id;
    scheduled_[id] = key;
}

void VirtualTime::unschedule(std::uint64_t id) {
    const auto found = scheduled_.find(id);
    if (found != scheduled_.end()) {
        queue_.erase(found->second);
        scheduled_.erase(found);
    }
}

void VirtualTime::advance(std::int64_t millis) {
    const auto target = bootMillis_ + millis;
    while (!queue_.empty() && queue_.begin()->first.first <= target) {
        const auto [key, id] = *queue_.begin();
        queue_.erase(queue_.begin());
        scheduled_.erase(id);
        utcMillis_ += key.first - bootMillis_;
        bootMillis_ = key.first;
        // Copy: the tick may destroy its own timer.
        auto tick = timers_.at(id).tick;
        schedule(id);
        tick();
    }
    utcMillis_ += target - bootMillis_;
    bootMillis_ = target;
}

void VirtualTime::jumpWallClock(std::int64_t millis) {
    utcMillis_ += millis;
    raiseTimeChanged();
}

void VirtualTime::setUtcOffset(std::int64_t millis) {
    offsetMillis_ = millis;
    raiseTimeChanged();
}

void VirtualTime::setLocalDateTime(int year, int month, int day, int hour, int minute, int second,
                                   int millis) {
    using namespace std::chrono;
    const auto days = sys_days{std::chrono::year{year} / month / day}.time_since_epoch();
    const auto local = duration_cast<milliseconds>(days).count() +
                       ((hour * 60 + minute) * 60 + second) * 1000LL + millis;
    utcMillis_ = local - offsetMillis_;
}

void VirtualTime::raiseTimeChanged() {
    if (timeChanged_) {
        timeChanged_();
    }
}

} // namespace orvan::test
