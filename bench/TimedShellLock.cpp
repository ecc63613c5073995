#include "TimedShellLock.h"

#include "XProbe.h"

#include <utility>

namespace orvan::bench {

namespace {
using Steady = std::chrono::steady_clock;
} // namespace

std::optional<std::int32_t> TimedShellLock::call(Export which, std::int32_t value) {
    join();
    if (probe_ != nullptr && which == Export::CtrlAltDel_Enable_Disable) {
        heldBack_ = value;
        return 1;
    }
    auto result = timedCall(which, value);
    if (which == Export::Taskbar_Show_Hide && heldBack_) {
        worker_ = std::thread([this, keys = *heldBack_] {
            const bool locking = keys == 0;
            const auto bound = Steady::now() + kWindowBound;
            while (probe_->viewable(window_) != locking && Steady::now() < bound) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            timedCall(Export::CtrlAltDel_Enable_Disable, keys);
        });
        heldBack_.reset();
    }
    return result;
}

std::array<double, 4> TimedShellLock::take() {
    join();
    return std::exchange(spent_, {});
}

void TimedShellLock::deferKeys(const XProbe* probe, xcb_window_t window) {
    join();
    probe_ = probe;
    window_ = window;
}

std::optional<std::int32_t> TimedShellLock::timedCall(Export which, std::int32_t value) {
    const auto started = Steady::now();
    auto result = library_.call(which, value);
    spent_[static_cast<std::size_t>(which)] +=
        std::chrono::duration<double, std::milli>(Steady::now() - started).count();
    return result;
}

void TimedShellLock::join() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

} // namespace orvan::bench
