#include "LockWatcher.h"
#include "WinLockApi.h"
#include "XvfbTest.h"

#include <algorithm>
#include <chrono>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvan::winlock {
namespace {

using namespace std::chrono_literals;

constexpr xcb_keysym_t kTab = 0xff09;

class TaskSwitching : public XvfbTest {
protected:
    // A program of the customer's with the keyboard focus.
    xcb_window_t focusedProgram() {
        const xcb_window_t window = other_->window(false, false);
        other_->focus(window);
        return window;
    }

    static void letGo(XClient& client) {
        xcb_ungrab_keyboard(client.get(), XCB_CURRENT_TIME);
        client.sync();
    }

    void expectTakenAgain() {
        EXPECT_TRUE(eventually([] { return reported("lost and has been taken again"); }));
        EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
    }

    bool hostGotTab() {
        const auto tab = host_->keycode(kTab);
        for (const auto& press : host_->keyPresses()) {
            if (press.detail == tab) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(TaskSwitching, shortcutsReachOnlyTheLockWindowUntilUnlocked) {
    const xcb_window_t program = focusedProgram();
    ASSERT_EQ(run({"xdotool", "key", "a"}), 0);
    ASSERT_TRUE(eventually([&] { return !other_->keyPresses().empty(); }))
        << "the focused program should see keys before the lock";
    const auto beforeLock = other_->keyPresses().size();
    attachLockWindow();

    EXPECT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
    ASSERT_EQ(run({"xdotool", "key", "alt+Tab", "ctrl+alt+F2"}), 0);

    EXPECT_TRUE(eventually([&] { return hostGotTab(); }));
    for (const auto& press : host_->keyPresses()) {
        EXPECT_EQ(press.event, lockWindow_);
    }
    EXPECT_EQ(other_->keyPresses().size(), beforeLock) << "program " << program;

    EXPECT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    EXPECT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_SUCCESS);
    EXPECT_TRUE(reports().empty()) << reports().front();
}

TEST_F(TaskSwitching, typingStillReachesTheHostsOwnFocusedWindow) {
    focusedProgram();
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    // A dialog of the front end over the lock window, say the password prompt.
    const xcb_window_t dialog = host_->window(true, false);
    host_->focus(dialog);

    ASSERT_EQ(run({"xdotool", "key", "Tab"}), 0);
    ASSERT_TRUE(eventually([&] { return hostGotTab(); }));
    EXPECT_EQ(host_->keyPresses().back().event, dialog);
}

TEST_F(TaskSwitching, withoutAHostTheLibraryGrabsOnItsOwnAndHandsOverOnAttach) {
    focusedProgram();
    EXPECT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
    ASSERT_EQ(run({"xdotool", "key", "Tab"}), 0);
    EXPECT_TRUE(other_->keyPresses().empty());

    // Attached while locked: the grab moves to the host, so typing reaches it.
    attachLockWindow();
    ASSERT_EQ(run({"xdotool", "key", "Tab"}), 0);
    EXPECT_TRUE(eventually([&] { return hostGotTab(); }));

    // Detached while locked: the library holds the grab again.
    EXPECT_EQ(WinLock_SetLockWindows(nullptr, nullptr, 0), 1);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
    EXPECT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_SUCCESS);
    EXPECT_TRUE(other_->keyPresses().empty());
}

TEST_F(TaskSwitching, waitsBrieflyForAnotherClientsGrabToEnd) {
    attachLockWindow();
    int grabbed[2];
    ASSERT_EQ(pipe(grabbed), 0);
    const pid_t child = fork();
    if (child == 0) {
        XClient menu;
        menu.grabKeyboard();
        [[maybe_unused]] const auto written = write(grabbed[1], "g", 1);
        std::this_thread::sleep_for(300ms);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(grabbed[0], &byte, 1), 1);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
    waitpid(child, nullptr, 0);
    close(grabbed[0]);
    close(grabbed[1]);
}

TEST_F(TaskSwitching, grabHeldElsewhereIsReportedAndTakenOnceFree) {
    attachLockWindow();
    ASSERT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_SUCCESS);
    EXPECT_EQ(TaskSwitching_Enable_Disable(0), 0);
    EXPECT_TRUE(reported("could not grab"));

    xcb_ungrab_keyboard(other_->get(), XCB_CURRENT_TIME);
    other_->sync();
    EXPECT_TRUE(eventually([] { return reported("taken after all"); }));
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
}

TEST_F(TaskSwitching, grabTheHostLetGoIsTakenAgain) {
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    // As a closing popup menu of the front end would.
    letGo(*host_);
    expectTakenAgain();
}

// Each within the default bound of eventually(), well before the watcher's slow poll:
// X told of it.
TEST_F(TaskSwitching, grabAPopupOfTheHostLetGoIsTakenAgainAtOnce) {
    static_assert(LockWatcher::kSafetyPoll > 3s);
    attachLockWindow();
    host_->focus(lockWindow_);
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    // The language list drops down: the front end's popup takes the grab over, then
    // closes and lets it go.
    const xcb_window_t popup = host_->window(true, false);
    xcb_grab_keyboard(host_->get(), 1, popup, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                      XCB_GRAB_MODE_ASYNC);
    host_->sync();
    letGo(*host_);
    expectTakenAgain();
}

TEST_F(TaskSwitching, grabAnotherClientTookMeanwhileIsTakenBackWhenItEnds) {
    attachLockWindow();
    host_->focus(lockWindow_);
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    // Another client takes the keyboard the moment the host lets go of it, as often as
    // it can have it, and lets go each time.
    letGo(*host_);
    EXPECT_TRUE(eventually([&] {
        if (other_->grabKeyboard() != XCB_GRAB_STATUS_SUCCESS) {
            return true;
        }
        letGo(*other_);
        return false;
    }));
}

TEST_F(TaskSwitching, lockHoldsOnTheRootWhileTheHostsLockWindowIsGone) {
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    // As the toolkit does when the window's flags change: the old window goes, and
    // the host lends the new one only afterwards.
    host_->destroy(lockWindow_);

    EXPECT_TRUE(eventually([] { return reported("lost and has been taken again"); }));
    EXPECT_EQ(other_->grabKeyboard(), XCB_GRAB_STATUS_ALREADY_GRABBED);
    EXPECT_FALSE(reported("connection lost")) << "the connection is fine";
    EXPECT_TRUE(host_->errors().empty()) << "the library's failed grabs are its own affair";
}

TEST_F(TaskSwitching, hostsOwnWindowsStayAboveTheLockWindow) {
    attachLockWindow();
    // A message box of the front end, up before the lock began.
    const xcb_window_t box = host_->window(false, false);
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    const auto at = [&](xcb_window_t window) {
        const auto stack = other_->stacking();
        return std::find(stack.begin(), stack.end(), window) - stack.begin();
    };

    const xcb_window_t program = other_->window(true, false);
    EXPECT_TRUE(eventually([&] {
        return at(program) < at(lockWindow_) && at(lockWindow_) < at(box) &&
               other_->stacking().back() == box;
    }));

    // The language list dropped down over the lock window stays visible too.
    const xcb_window_t popup = host_->window(true, false);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other_->stacking().back(), popup);
}

TEST_F(TaskSwitching, hostsWindowFramedByAWindowManagerStaysAboveTheLockWindow) {
    attachLockWindow();
    // The other client plays the window manager: it frames the host's box and lists it.
    const xcb_window_t box = host_->window(false, false, false);
    const xcb_window_t frame = other_->window(false, false);
    xcb_reparent_window(other_->get(), box, frame, 0, 0);
    xcb_map_window(other_->get(), box);
    other_->setWindows(other_->root(), "_NET_CLIENT_LIST", {box});
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    const auto at = [&](xcb_window_t window) {
        const auto stack = other_->stacking();
        return std::find(stack.begin(), stack.end(), window) - stack.begin();
    };

    const xcb_window_t program = other_->window(true, false);
    EXPECT_TRUE(eventually(
        [&] { return at(program) < at(lockWindow_) && other_->stacking().back() == frame; }));
}

TEST_F(TaskSwitching, lockWindowIsRaisedAboveWindowsMappedOrRaisedOverIt) {
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    const auto lockOnTop = [&] { return other_->stacking().back() == lockWindow_; };

    const xcb_window_t popup = other_->window(true, false);
    EXPECT_TRUE(eventually(lockOnTop));
    other_->raise(popup);
    EXPECT_TRUE(eventually(lockOnTop));

    // Unlocked, nobody raises it any more.
    ASSERT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    const xcb_window_t later = other_->window(true, false);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other_->stacking().back(), later);
}

// The next lock watches on the connection the last one used.
TEST_F(TaskSwitching, aLockAfterAnUnlockWatchesAgain) {
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    ASSERT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    other_->window(true, false);
    std::this_thread::sleep_for(100ms);

    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    const auto lockOnTop = [&] { return other_->stacking().back() == lockWindow_; };
    EXPECT_TRUE(eventually(lockOnTop));
    other_->window(true, false);
    EXPECT_TRUE(eventually(lockOnTop));
    letGo(*host_);
    expectTakenAgain();
}

} // namespace
} // namespace orvan::winlock
