#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

using Export = ShellLock::Export;
using Calls = std::vector<RecordingShellLock::Call>;

class LockScreenLockdownTest : public SessionFixture {
protected:
    Calls takeCalls() { return std::exchange(fake.shellLock.calls, {}); }
    bool speakersMuted() { return fake.mixer.speakers().muted; }
};

TEST_F(LockScreenLockdownTest, lockScreenLocksTheShellAndMutesUntilASessionStarts) {
    // Start-up showed the login screen: locked and silent.
    EXPECT_EQ(takeCalls(), (Calls{{Export::TaskSwitching_Enable_Disable, 0},
                                  {Export::CtrlAltDel_Enable_Disable, 0},
                                  {Export::Desktop_Show_Hide, 0},
                                  {Export::Taskbar_Show_Hide, 0}}));
    EXPECT_TRUE(speakersMuted());

    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    const auto calls = takeCalls();
    ASSERT_GE(calls.size(), 6U);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 2),
              (Calls{{Export::TaskSwitching_Enable_Disable, -1},
                     {Export::CtrlAltDel_Enable_Disable, -1}}))
        << "switching comes back before the release";
    EXPECT_EQ(Calls(calls.begin() + 2, calls.begin() + 6),
              (Calls{{Export::TaskSwitching_Enable_Disable, -1},
                     {Export::CtrlAltDel_Enable_Disable, -1},
                     {Export::Desktop_Show_Hide, -1},
                     {Export::Taskbar_Show_Hide, -1}}));
    EXPECT_FALSE(speakersMuted());

    // The server closes the session: the record is reset to the login state, and the
    // computer is silent again behind the lock screen.
    client().sessionControl().funStopSession(false);
    client().lockScreen().refresh();
    EXPECT_TRUE(speakersMuted());
}

TEST_F(LockScreenLockdownTest, soundMutedBeforeTheLockStaysMuted) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    fake.mixer.speakers().muted = true; // the customer muted it
    client().sessionControl().funPauseSession();
    client().lockScreen().refresh();
    client().sessionControl().funUnPauseSession();
    EXPECT_TRUE(speakersMuted());
}

TEST_F(LockScreenLockdownTest, testModeGivesBackTheStartUpLockThenLeavesTheShellAlone) {
    context().flags.blnTestMode = true;
    takeCalls();
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_EQ(takeCalls().size(), 6U) << "switching back, then the whole shell";
    client().sessionControl().subLock();
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_TRUE(takeCalls().empty());
}

} // namespace
} // namespace orvan::test
