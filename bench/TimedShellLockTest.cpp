// The lock benchmark's stand-in between engine and library must pass every switch on
// unchanged and in order, or the figures are not the program's.

#include "TimedShellLock.h"

#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace orvan::bench {
namespace {

using Steady = std::chrono::steady_clock;
using Export = ShellLock::Export;

// Records each switch with the moment it arrived.
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

} // namespace
} // namespace orvan::bench
