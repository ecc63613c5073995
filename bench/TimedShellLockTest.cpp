// The lock benchmark's stand-in between engine and library: as built it must pass
// every switch on unchanged and in order, or the figures are not the program's; in
// the deferred variant the keymap change must wait for the lock window, yet still
// come when the window never does.

#include "TimedShellLock.h"

#include "OtherXClient.h"
#include "XProbe.h"
#include "XvfbDisplay.h"

#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace orvan::bench {
namespace {

using Steady = std::chrono::steady_clock;
using Export = ShellLock::Export;

// Records each switch with the moment it arrived; the deferred one arrives from
// another thread.
class StampedShellLock : public ShellLock {
public:
    struct Call {
        Export which;
        std::int32_t value;
        Steady::time_point at;
    };

    bool loaded() const override { return true; }
    std::optional<std::int32_t> call(Export which, std::int32_t value) override {
        const std::lock_guard guard(mutex_);
        calls_.push_back({which, value, Steady::now()});
        return 1;
    }
    std::vector<Call> calls() {
        const std::lock_guard guard(mutex_);
        return calls_;
    }

private:
    std::mutex mutex_;
    std::vector<Call> calls_;
};

// The switches in the order the engine makes them for a lock (0) or an unlock (-1).
void engage(ShellLock& lock, std::int32_t value) {
    for (const auto which :
         {Export::TaskSwitching_Enable_Disable, Export::CtrlAltDel_Enable_Disable,
          Export::Desktop_Show_Hide, Export::Taskbar_Show_Hide}) {
        EXPECT_EQ(lock.call(which, value), 1);
    }
}

std::vector<Export> order(const std::vector<StampedShellLock::Call>& calls) {
    std::vector<Export> result;
    for (const auto& call : calls) {
        result.push_back(call.which);
    }
    return result;
}

TEST(TimedShellLock, asBuiltPassesEverySwitchOnInOrder) {
    StampedShellLock library;
    TimedShellLock timed(library);
    engage(timed, 0);
    const auto calls = library.calls();
    EXPECT_EQ(order(calls),
              (std::vector<Export>{Export::TaskSwitching_Enable_Disable,
                                   Export::CtrlAltDel_Enable_Disable, Export::Desktop_Show_Hide,
                                   Export::Taskbar_Show_Hide}));
    for (const auto& call : calls) {
        EXPECT_EQ(call.value, 0);
    }
    EXPECT_EQ(timed.take().size(), 4U);
}

TEST(TimedShellLock, deferredKeysWaitForTheLockWindowButNotForever) {
    XvfbDisplay display;
    ASSERT_TRUE(display.running());
    const auto probe = XProbe::open(display.name());
    ASSERT_NE(probe, nullptr);
    OtherXClient other(display.name());
    const auto lockWindow = other.window(0, 0, 100, 100);
    StampedShellLock library;
    TimedShellLock timed(library);
    timed.deferKeys(probe.get(), lockWindow);

    engage(timed, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(library.calls().size(), 3U) << "the keymap changed before the window was up";
    const auto mapped = Steady::now();
    other.map(lockWindow, true);
    timed.take();
    auto calls = library.calls();
    ASSERT_EQ(calls.size(), 4U);
    EXPECT_EQ(calls.back().which, Export::CtrlAltDel_Enable_Disable);
    EXPECT_EQ(calls.back().value, 0);
    EXPECT_GE(calls.back().at, mapped);

    // An unlock waits for the window to go.
    engage(timed, -1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(library.calls().size(), 7U);
    other.map(lockWindow, false);
    timed.take();
    calls = library.calls();
    ASSERT_EQ(calls.size(), 8U);
    EXPECT_EQ(calls.back().which, Export::CtrlAltDel_Enable_Disable);
    EXPECT_EQ(calls.back().value, -1);

    // A window that never comes holds the keymap back only for the bound.
    const auto locking = Steady::now();
    engage(timed, 0);
    timed.take();
    ASSERT_EQ(library.calls().size(), 12U);
    EXPECT_LT(Steady::now() - locking, TimedShellLock::kWindowBound * 4);
}

} // namespace
} // namespace orvan::bench
