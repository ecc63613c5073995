#include "model/MsgBoxForm.h"
#include "support/FakeTrayIcon.h"
#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

class SessionControlTest : public SessionFixture {
protected:
    SessionControl& control() { return client().sessionControl(); }
    void customerWindows() {
        fake.desktop.windowList = {{101, "firefox", "/usr/bin/firefox", "News", 0x1001},
                                   {102, "libreoffice", "/usr/bin/libreoffice", "Essay", 0x1002}};
    }
};

TEST_F(SessionControlTest, startingASessionRunsTheClockAndShowsTheStatusWindow) {
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, 30 * kMinute);
    const auto& timers = context().timers;
    const auto& status = context().forms.frmStatus;
    EXPECT_TRUE(timers.tmrSessionStatus->enabled());
    EXPECT_TRUE(timers.tmrURLspy->enabled());
    EXPECT_TRUE(timers.tmrAppKiller->enabled()) << "disconnected usage";
    EXPECT_TRUE(status.visible);
    EXPECT_TRUE(status.topMost);
    EXPECT_TRUE(status.fraCardNum);
    EXPECT_EQ(status.lblNumCard, "4711-0815");
    EXPECT_TRUE(status.optDisconnected);
    EXPECT_FALSE(context().forms.frmBlock.visible);
    EXPECT_EQ(context().intLoginAttempts, 0);
}

TEST_F(SessionControlTest, sessionWithoutCreditOrValidityStartsBehindTheLockScreen) {
    // The server accepted it all the same; the first tick finds nothing left.
    openPrepaid(Workstation::kCard, Workstation::kConnected, 0);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kNoCredit);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    EXPECT_FALSE(context().forms.frmStatus.visible);

    control().funStopSession(false);
    openPrepaid(Workstation::kMember, Workstation::kDisconnected, 30 * kMinute, -kMinute);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kNoCredit);
    EXPECT_TRUE(context().forms.frmBlock.visible);
}

TEST_F(SessionControlTest, hiddenCardNumberMakesTheCardFrameShorter) {
    context().settings.blnHideCardNumber = true;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_EQ(context().forms.frmStatus.fraCardNumHeight, 795);
    EXPECT_FALSE(context().timers.tmrAppKiller->enabled());
}

TEST_F(SessionControlTest, sessionEdgesCloseTheCustomersApplications) {
    customerWindows();
    fake.desktop.stubborn = {0x1002};
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_EQ(fake.desktop.closeRequests, (std::vector<std::uint64_t>{0x1001, 0x1002}));
    EXPECT_EQ(fake.desktop.terminated, std::vector<long>{102}) << "politely first, then by force";
    EXPECT_TRUE(fake.desktop.windowList.empty());
}

TEST_F(SessionControlTest, keepAppsSwitchLeavesApplicationsOpen) {
    context().flags.blnKeepApps = true;
    customerWindows();
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    control().funStopSession(false);
    EXPECT_TRUE(fake.desktop.closeRequests.empty());
    EXPECT_EQ(fake.desktop.windowList.size(), 2U);
}

TEST_F(SessionControlTest, lockingDuringACardSessionResetsItAndBlocks) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    minutes(5);
    control().subLock();
    EXPECT_EQ(state(), Workstation::kBlocked);
    EXPECT_EQ(workstation().intPrevWksnState, Workstation::kWaiting);
    EXPECT_EQ(session().strUserID, "");
    EXPECT_EQ(session().dteConnectedTime, 0);
    EXPECT_EQ(session().lngSessionID, -1);
    EXPECT_FALSE(context().timers.tmrSessionStatus->enabled());
    EXPECT_FALSE(context().forms.frmStatus.visible);
    EXPECT_TRUE(context().forms.frmBlock.visible);
}

TEST_F(SessionControlTest, stoppingASelfServiceSessionKeepsTheAmountForTheManager) {
    auto& tariff = workstation().tariff;
    tariff.dteIncrement = 15 * kMinute;
    tariff.dteMinimumTime = 15 * kMinute;
    tariff.udtRecharges = {{60 * kMinute, 20.0F}};
    openPostpaid(Workstation::kConnected);
    minutes(40);
    control().funStopSession(false);
    EXPECT_EQ(state(), Workstation::kSessionEnded);
    EXPECT_NEAR(session().sngUserBalance, 15.0F, 1e-4);
    EXPECT_EQ(session().intSessionType, Workstation::kSelfServicePostpaid);
    EXPECT_FALSE(context().timers.tmrSessionStatus->enabled());
}

TEST_F(SessionControlTest, pausingTwiceKeepsThePreviousStateForTheResume) {
    openPrepaid(Workstation::kMember, Workstation::kConnected, 30 * kMinute);
    EXPECT_TRUE(control().funPauseSession());
    EXPECT_FALSE(control().funPauseSession());
    EXPECT_EQ(state(), Workstation::kPaused);
    EXPECT_EQ(workstation().intPrevWksnState, Workstation::kConnected);
    EXPECT_FALSE(context().forms.frmStatus.visible);

    EXPECT_TRUE(control().funUnPauseSession());
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_TRUE(context().forms.frmStatus.visible);
}

TEST_F(SessionControlTest, lockAndFollowPauseLikeThePause) {
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, 30 * kMinute);
    EXPECT_TRUE(control().funFollowSession());
    EXPECT_EQ(state(), Workstation::kPausedFollow);
    EXPECT_TRUE(control().funLockSession());
    EXPECT_EQ(state(), Workstation::kPausedLocked);
    // Ending the second pause returns to the session, not to the first pause with the
    // lock screen taken down.
    EXPECT_EQ(workstation().intPrevWksnState, Workstation::kDisconnected);
    EXPECT_TRUE(control().funUnPauseSession());
    EXPECT_EQ(state(), Workstation::kDisconnected);
}

TEST_F(SessionControlTest, resumingWhatIsNotPausedOrOutOfCreditKeepsTheComputerAsItIs) {
    // Idle: nothing to pause, resume or re-check, and the lock screen stays.
    EXPECT_FALSE(control().funPauseSession());
    EXPECT_FALSE(control().funUnPauseSession());
    control().subCheckBalance();
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(context().forms.frmBlock.visible);

    // A running session is neither ended nor released into its idle state.
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_FALSE(control().funUnPauseSession());
    control().subCheckBalance();
    EXPECT_EQ(state(), Workstation::kConnected);

    // Out of credit, a pause would end into the no-credit state without the lock screen.
    minutes(31);
    ASSERT_EQ(state(), Workstation::kNoCredit);
    EXPECT_FALSE(control().funPauseSession());
    EXPECT_FALSE(control().funUnPauseSession());
    EXPECT_EQ(state(), Workstation::kNoCredit);
    EXPECT_TRUE(context().forms.frmBlock.visible);
}

TEST_F(SessionControlTest, balanceCheckResumesOnlyWithCredit) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 1 * kMinute);
    minutes(1.5);
    ASSERT_EQ(state(), Workstation::kNoCredit);

    control().subCheckBalance();
    EXPECT_EQ(state(), Workstation::kNoCredit);
    const auto& box = context().forms.frmMsgBox;
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.mfrmParent, &context().forms.frmBlock);
    EXPECT_NE(box.lblText.find("\r\n"), std::string::npos);

    session().dteCreditTime += 10 * kMinute; // a recharge
    session().dteRemainingTime = 10 * kMinute;
    control().subCheckBalance();
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_FALSE(client().lockScreenTimers().tmrCloseSession().enabled());
    EXPECT_TRUE(context().forms.frmStatus.visible);
}

TEST_F(SessionControlTest, sessionEndRestartsTheComputerUnlessDebugging) {
    context().constants.wksnRebootOnSessionEnd = 1;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    control().funStopSession(false);
    fake.time.advance(5'000);
    EXPECT_EQ(fake.shell.exits, std::vector<int>{Shell::kReboot | Shell::kForce});
}

TEST_F(SessionControlTest, debugSwitchNeverRestartsAfterASession) {
    context().constants.wksnRebootOnSessionEnd = 1;
    context().flags.blnDebugMode = true;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    control().funStopSession(false);
    fake.time.advance(10'000);
    EXPECT_TRUE(fake.shell.exits.empty());
    EXPECT_EQ(state(), Workstation::kWaiting);
}

TEST_F(SessionControlTest, testModeShowsTheStatusWindowNotTopMost) {
    context().flags.blnTestMode = true;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_FALSE(context().forms.frmStatus.topMost);
}

TEST_F(SessionControlTest, freeSessionShowsOnlyTheMicroWindow) {
    session().intSessionType = Workstation::kFree;
    workstation().setState(Workstation::kFreeSession);
    control().funStartSession();
    EXPECT_TRUE(context().forms.frmMicroStatus.visible);
    EXPECT_FALSE(context().forms.frmStatus.visible);
}

TEST_F(SessionControlTest, hiddenStatusWindowsStayHidden) {
    FakeTrayIcon tray; // stands in for them
    client().attachTrayIcon(&tray);
    context().constants.wksnHideAllStatusWin = 1;
    context().constants.deriveFlags();
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    control().subHideStatus();
    EXPECT_FALSE(context().forms.frmStatus.visible);
    EXPECT_FALSE(context().forms.frmSmallStatus.visible);
}

TEST_F(SessionControlTest, deactivatingStopsTheSessionAndShowsTheMainWindow) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    control().subDeactivate();
    EXPECT_EQ(state(), Workstation::kDeactivated);
    EXPECT_FALSE(context().timers.tmrSessionStatus->enabled());
    EXPECT_TRUE(context().forms.frmMain.visible);
    EXPECT_FALSE(context().forms.frmBlock.visible);
    EXPECT_FALSE(context().trayIconShown);

    control().subActivate();
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(context().forms.frmBlock.visible);
}

TEST_F(SessionControlTest, activationWaitsWhileASettingsDialogIsOpen) {
    control().subDeactivate();
    context().forms.frmOptions.load();
    control().subActivate();
    EXPECT_EQ(state(), Workstation::kDeactivated);
}

TEST_F(SessionControlTest, closeButtonsFollowTheServersSwitch) {
    context().constants.wksnDisableSessCloseButton = 1;
    context().constants.deriveFlags();
    control().subSetCloseButtons();
    EXPECT_FALSE(context().forms.frmStatus.cmdQuitEnabled);
    EXPECT_FALSE(context().forms.frmMicroStatus.cmdQuitEnabled);
    EXPECT_FALSE(context().forms.mnuStopSessionEnabled);
}

TEST_F(SessionControlTest, defaultUsagePresetsTheLoginChoice) {
    auto& block = context().forms.frmBlock;
    context().settings.intDefaultUsage = 1;
    control().subSetDefaultUsage();
    EXPECT_TRUE(block.optSelfService.value);
    EXPECT_TRUE(block.cmdCxnEnabled);

    block.optCard.enabled = false;
    context().settings.intDefaultUsage = 2;
    control().subSetDefaultUsage();
    EXPECT_FALSE(block.optSelfService.value) << "no card login: nothing preselected";

    context().settings.intDefaultUsage = 0;
    control().subSetDefaultUsage();
    EXPECT_FALSE(block.fraControlsActive);
    EXPECT_TRUE(block.fraControlsBlocked);
}

} // namespace
} // namespace orvan::test
