#include "ChildProcess.h"
#include "LockWatcher.h"
#include "WinLockApi.h"
#include "XkbRulesNames.h"
#include "XvfbTest.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace orvan::winlock {
namespace {

using Command = std::vector<std::string>;

TEST(XkbRulesNames, readsTheFiveNulSeparatedFields) {
    using namespace std::string_literals;
    const auto names = XkbRulesNames::parse("evdev\0pc105\0us,de\0,nodeadkeys\0ctrl:nocaps\0"s);
    ASSERT_TRUE(names);
    EXPECT_EQ(names->rules, "evdev");
    EXPECT_EQ(names->model, "pc105");
    EXPECT_EQ(names->layout, "us,de");
    EXPECT_EQ(names->variant, ",nodeadkeys");
    EXPECT_EQ(names->options, "ctrl:nocaps");

    const auto shortened = XkbRulesNames::parse("base\0pc105\0us"s);
    ASSERT_TRUE(shortened);
    EXPECT_EQ(shortened->variant, "");
    EXPECT_EQ(shortened->options, "");

    EXPECT_FALSE(XkbRulesNames::parse(""));
    EXPECT_FALSE(XkbRulesNames::parse("\0pc105\0us"s));
}

TEST(XkbRulesNames, serverKeysOptionReplacesAnyOtherAndKeepsTheUsers) {
    EXPECT_EQ(XkbRulesNames::withoutServerKeys(""), "srvrkeys:none");
    EXPECT_EQ(XkbRulesNames::withoutServerKeys("grp:alt_shift_toggle,ctrl:nocaps"),
              "grp:alt_shift_toggle,ctrl:nocaps,srvrkeys:none");
    EXPECT_EQ(XkbRulesNames::withoutServerKeys("srvrkeys:foo,,ctrl:nocaps"),
              "ctrl:nocaps,srvrkeys:none");
    EXPECT_EQ(XkbRulesNames::withoutServerKeys("terminate:ctrl_alt_bksp,grab:break_actions,"
                                               "grab:debug,ctrl:nocaps"),
              "grab:debug,ctrl:nocaps,srvrkeys:none")
        << "ending the server or breaking the grabs would free the keyboard";
    EXPECT_EQ(XkbRulesNames::withoutServerKeys("srvrkeys:none"), "srvrkeys:none");
}

TEST(XkbRulesNames, commandRebuildsTheSameKeymapWithOtherOptions) {
    const XkbRulesNames names{"evdev", "pc105", "us,de", "", "ctrl:nocaps"};
    EXPECT_EQ(names.setxkbmapCommand("ctrl:nocaps,srvrkeys:none"),
              (Command{"setxkbmap", "-rules", "evdev", "-model", "pc105", "-layout", "us,de",
                       "-option", "", "-option", "ctrl:nocaps,srvrkeys:none"}));
    EXPECT_EQ(names.setxkbmapCommand(""), (Command{"setxkbmap", "-rules", "evdev", "-model",
                                                   "pc105", "-layout", "us,de", "-option", ""}));
}

class ServerKeys : public XvfbTest {
protected:
    // Whether Ctrl+Alt+F2 reaches the lock window as a key rather than being taken
    // by the server as its VT switch.
    bool chordReachesTheLockWindow() {
        const auto before = host_->keyPresses().size();
        EXPECT_EQ(run({"xdotool", "key", "ctrl+alt+F2", "Tab"}), 0);
        const auto f2 = host_->keycode(0xffbf);
        const auto tab = host_->keycode(0xff09);
        bool sawF2 = false;
        EXPECT_TRUE(eventually([&] {
            const auto presses = host_->keyPresses();
            for (auto press = presses.begin() + before; press != presses.end(); ++press) {
                sawF2 = sawF2 || press->detail == f2;
                if (press->detail == tab) {
                    return true;
                }
            }
            return false;
        }));
        return sawF2;
    }

    void setMapped(bool mapped) {
        if (mapped) {
            xcb_map_window(host_->get(), lockWindow_);
        } else {
            xcb_unmap_window(host_->get(), lockWindow_);
        }
        host_->sync();
    }

    // Whether a setxkbmap this process started is still at work (a finished one
    // not yet waited for does not count).
    static bool setxkbmapRunning() {
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::ifstream stat(entry.path() / "stat");
            std::string pid, name, state;
            long parent = 0;
            if (stat >> pid >> name >> state >> parent && name == "(setxkbmap)" &&
                parent == getpid() && state != "Z") {
                return true;
            }
        }
        return false;
    }

    std::string options() {
        return XkbRulesNames::parse(other_->rootText("_XKB_RULES_NAMES"))
            .value_or(XkbRulesNames{})
            .options;
    }
};

TEST_F(ServerKeys, takenOffForTheLockAndTheUsersOptionsGivenBack) {
    ASSERT_EQ(run({"setxkbmap", "-option", "", "-option", "ctrl:nocaps"}), 0);
    ASSERT_EQ(options(), "ctrl:nocaps");
    attachLockWindow();
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_FALSE(chordReachesTheLockWindow());

    EXPECT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps,srvrkeys:none"; }));
    EXPECT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    EXPECT_TRUE(chordReachesTheLockWindow());
    EXPECT_EQ(options(), "ctrl:nocaps,srvrkeys:none");

    EXPECT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps"; }));
    EXPECT_FALSE(chordReachesTheLockWindow());
    EXPECT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    EXPECT_TRUE(reports().empty());
}

// While locked the keymap waits for the lock window: the server compiling it would
// hold up the window's map. An unlock that comes first leaves the keymap alone.
TEST_F(ServerKeys, changedOnceTheLockWindowIsMappedAndNeverAfterAnUnlock) {
    ASSERT_EQ(run({"setxkbmap", "-option", "", "-option", "ctrl:nocaps"}), 0);
    lockWindow_ = host_->window(true, true, false);
    ASSERT_EQ(WinLock_SetLockWindows(host_->get(), &lockWindow_, 1), 1);

    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    EXPECT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(options(), "ctrl:nocaps") << "changed before the lock window was mapped";
    setMapped(true);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps,srvrkeys:none"; }));

    // Unlocked as the client unlocks; then asked for and given back while the window
    // is down; then asked for and unlocked: nothing asked for is made later.
    ASSERT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    setMapped(false);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps"; }));
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    setMapped(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(options(), "ctrl:nocaps") << "changed after it was given back";
    setMapped(false);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    ASSERT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    // Past the bound after which a window that never maps no longer holds the change up.
    std::this_thread::sleep_for(LockWatcher::kKeysBound + std::chrono::milliseconds(300));
    setMapped(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(options(), "ctrl:nocaps") << "changed after the unlock";
    // Unmapped while locked, the window took its grab along: the root holds it since.
    for (const auto& line : reports()) {
        EXPECT_NE(line.find("taken again"), std::string::npos) << line;
    }
}

// No setting of the server stops the chords that break grabs: a keymap that has them
// is changed before the lock call returns, window or not.
TEST_F(ServerKeys, aKeymapThatBreaksGrabsIsChangedAtOnce) {
    ASSERT_EQ(run({"setxkbmap", "-option", "", "-option", "ctrl:nocaps,grab:break_actions"}), 0);
    lockWindow_ = host_->window(true, true, false);
    ASSERT_EQ(WinLock_SetLockWindows(host_->get(), &lockWindow_, 1), 1);
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    EXPECT_EQ(options(), "ctrl:nocaps,srvrkeys:none");
    ASSERT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps,grab:break_actions"; }));
}

// The user's options are given back without waiting for setxkbmap: a change that
// follows at once must not read the keymap before they are back, nor be undone by them.
TEST_F(ServerKeys, aLockRightAfterAnUnlockEndsLocked) {
    ASSERT_EQ(run({"setxkbmap", "-option", "", "-option", "ctrl:nocaps"}), 0);
    // Grabs of the library's own: no lock window to wait for.
    ASSERT_EQ(TaskSwitching_Enable_Disable(0), 1);
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(CtrlAltDel_Enable_Disable(0), 1);
        ASSERT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    }
    ASSERT_EQ(TaskSwitching_Enable_Disable(-1), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    ASSERT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    EXPECT_TRUE(eventually([] { return !setxkbmapRunning(); }));
    EXPECT_EQ(options(), "ctrl:nocaps,srvrkeys:none");
    ASSERT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps"; }));
    EXPECT_TRUE(reports().empty());
}

TEST_F(ServerKeys, setxkbmapOnTheCallersPathIsNeverRun) {
    // A folder first on PATH with a setxkbmap that would leave the keymap alone.
    const std::string folder = testing::TempDir() + "planted-setxkbmap";
    std::filesystem::create_directories(folder);
    {
        std::ofstream planted(folder + "/setxkbmap");
        planted << "#!/bin/sh\nexit 0\n";
    }
    std::filesystem::permissions(folder + "/setxkbmap", std::filesystem::perms::owner_all);
    ASSERT_EQ(run({"setxkbmap", "-option", "", "-option", "ctrl:nocaps"}), 0);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (folder + ":" + path).c_str(), 1);
    EXPECT_EQ(CtrlAltDel_Enable_Disable(0), 1);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(options(), "ctrl:nocaps,srvrkeys:none");
    EXPECT_EQ(CtrlAltDel_Enable_Disable(-1), 1);
    EXPECT_TRUE(eventually([&] { return options() == "ctrl:nocaps"; }));
}

TEST(ChildProcess, runsOnlyAbsolutePathsWithACleanEnvironment) {
    using namespace std::chrono_literals;
    EXPECT_EQ(ChildProcess::run({"setxkbmap"}, 1s), ChildProcess::Outcome::NotFound);
    EXPECT_EQ(ChildProcess::run({"/nonexistent/setxkbmap"}, 1s), ChildProcess::Outcome::NotFound);
    EXPECT_EQ(ChildProcess::find({"sh", "/nonexistent/sh", "/bin/sh"}), "/bin/sh");
    EXPECT_EQ(ChildProcess::find({"/nonexistent/sh"}), "");

    setenv("LD_PRELOAD_PLANTED", "1", 1);
    EXPECT_EQ(
        ChildProcess::run(
            {"/bin/sh", "-c", "test -z \"$LD_PRELOAD_PLANTED\" && test \"$PATH\" = /usr/bin:/bin"},
            5s),
        ChildProcess::Outcome::Succeeded)
        << "the child sees the caller's environment";
    unsetenv("LD_PRELOAD_PLANTED");
}

} // namespace
} // namespace orvan::winlock
