#include "WinLockApi.h"
#include "XvfbTest.h"

#include <atomic>
#include <thread>

namespace orvan::winlock {
namespace {

// A program of the customer's that tries to grab the keyboard as fast as it can, to
// catch a moment in which the lock holds no grab.
class GrabPoller {
public:
    GrabPoller()
        : thread_([this] { run(); }) {}
    ~GrabPoller() { stop(); }

    // How many of its grabs succeeded while it ran.
    int stop() {
        running_ = false;
        if (thread_.joinable()) {
            thread_.join();
        }
        return caught_;
    }
    int attempts() const { return attempts_; }

private:
    void run() {
        XClient prober;
        while (running_) {
            if (prober.grabKeyboard() == XCB_GRAB_STATUS_SUCCESS) {
                ++caught_;
                xcb_ungrab_keyboard(prober.get(), XCB_CURRENT_TIME);
                prober.sync();
            }
            ++attempts_;
        }
    }

    std::atomic<bool> running_{true};
    std::atomic<int> caught_{0};
    std::atomic<int> attempts_{0};
    std::thread thread_;
};

class GrabHandOver : public XvfbTest {
protected:
    void lend(const std::vector<xcb_window_t>& windows) {
        ASSERT_EQ(WinLock_SetLockWindows(host_->get(), windows.data(),
                                         static_cast<std::int32_t>(windows.size())),
                  1);
    }
};

TEST_F(GrabHandOver, newLockWindowsOnTheSameConnectionTakeTheGrabWithoutAGap) {
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    GrabPoller poller;
    // As the front end does when its lock windows are made anew (a new kind of window,
    // a screen added): each new set is lent while the lock holds.
    for (int round = 0; round < 40; ++round) {
        const xcb_window_t next = host_->window(true);
        lend({next, lockWindow_});
        lend({});
        lend({lockWindow_});
        host_->destroy(next);
    }
    const int attempts = poller.attempts();
    EXPECT_EQ(poller.stop(), 0) << "the keyboard was free in " << attempts << " tries";
    EXPECT_GT(attempts, 0);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
}

TEST_F(GrabHandOver, connectionLentBeforeTheLockHoldsTheGrabOnTheRootUntilWindowsCome) {
    lend({});
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);

    GrabPoller poller;
    attachLockWindow();
    ASSERT_EQ(run({"xdotool", "key", "Tab"}), 0);
    EXPECT_TRUE(eventually([&] { return !host_->keyPresses().empty(); }));
    EXPECT_EQ(poller.stop(), 0);
    EXPECT_FALSE(reported("another connection")) << "the grabs never changed hands";
}

} // namespace
} // namespace orvan::winlock
