#include "support/ClientFixture.h"

namespace orvan::test {
namespace {

class StartupTest : public ClientFixture {
protected:
    Timer& activateClient() { return *context().timers.tmrActivateClient; }
};

TEST_F(StartupTest, switchesAreFoundAnywhereInAnyCaseWithSlashes) {
    const auto flags = CommandLine::parse("orvanclient /D /k");
    EXPECT_TRUE(flags.blnDebugMode);
    EXPECT_TRUE(flags.blnKeepApps);
    EXPECT_FALSE(flags.blnTestMode);
    EXPECT_TRUE(CommandLine::parse("-T-L").blnTestMode);
    EXPECT_TRUE(CommandLine::parse("-T-L").blnNoLockdownReport);
    EXPECT_TRUE(CommandLine::parse("x -mx").blnMultiInstance);
    EXPECT_FALSE(CommandLine::parse("").blnDebugMode);
}

TEST_F(StartupTest, configuredWorkstationStartsInItsDefaultStateBehindTheLockScreen) {
    configured();
    start();
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    EXPECT_TRUE(context().forms.frmBlock.topMost);
    EXPECT_FALSE(context().forms.frmMain.visible);
    EXPECT_TRUE(context().forms.frmStatus.loaded);
    EXPECT_FALSE(context().forms.frmSetupWizard.loaded);
    EXPECT_TRUE(context().timers.tmrWksnStatus->enabled());
    EXPECT_TRUE(activateClient().enabled());
    EXPECT_TRUE(context().forms.frmAbout.visible) << "the splash";
    fake.time.advance(Startup::kSplashMillis);
    EXPECT_FALSE(context().forms.frmAbout.loaded);
}

TEST_F(StartupTest, defaultStateComesFromTheSettings) {
    configured();
    fake.store.putString(kGeneral, "Default State", "3");
    start();
    EXPECT_EQ(context().workstation.intWksnState, 3);
    EXPECT_EQ(context().workstation.intPrevWksnState, 3);
    EXPECT_EQ(context().workstation.session.lngSessionID, -1);
}

TEST_F(StartupTest, unfinishedWizardStartsDeactivatedAndShowsTheWizard) {
    fake.store.putString(kGeneral, "Config Wizard", "1"); // the user's value is still 0
    start();
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
    EXPECT_TRUE(context().forms.frmMain.visible);
    EXPECT_FALSE(context().forms.frmBlock.visible);
    EXPECT_TRUE(context().forms.frmSetupWizard.visible);
    EXPECT_TRUE(context().forms.frmSetupWizard.modal);
    EXPECT_FALSE(activateClient().enabled()) << "waits for the wizard";
    EXPECT_FALSE(context().flags.blnKeepApps) << "-k was forced for the deactivation only";

    client().startup().onSetupWizardClosed();
    EXPECT_TRUE(activateClient().enabled());
}

TEST_F(StartupTest, newAccountOnAComputerSetUpWithAPasswordStartsLockedWithoutTheWizard) {
    fake.store.putString(kGeneral, "Config Wizard", "1"); // the machine's; none for the user
    fake.store.putString(kGeneral, "Password", "scrambled");
    start();
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    EXPECT_FALSE(context().forms.frmSetupWizard.visible);
    EXPECT_TRUE(activateClient().enabled());
    const auto marker = fake.store.read(Hive::User, kGeneral, "Config Wizard");
    ASSERT_TRUE(marker.found());
    EXPECT_EQ(std::get<std::string>(marker.value), "1");
}

TEST_F(StartupTest, startActiveOffStartsDeactivated) {
    configured();
    fake.store.write(Hive::User, kGeneral, "Start active", std::uint32_t{0});
    start("-k");
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
    EXPECT_TRUE(context().flags.blnKeepApps) << "restored from the command line";
}

TEST_F(StartupTest, debugSwitchShowsNoSplash) {
    configured();
    start("/D");
    EXPECT_TRUE(context().flags.blnDebugMode);
    EXPECT_FALSE(context().forms.frmAbout.loaded);
}

TEST_F(StartupTest, startTenSecondsAfterBootWaitsOutTheStartDelay) {
    configured();
    fake.time.setBoot(10'000);
    start();
    EXPECT_TRUE(client().startup().waiting());
    EXPECT_FALSE(context().forms.frmMain.loaded);
    EXPECT_EQ(context().workstation.intWksnState, 2) << "the record is ready";
    const auto& block = context().forms.frmBlock;
    EXPECT_TRUE(block.visible) << "locked while it waits";
    EXPECT_TRUE(block.topMost);
    EXPECT_FALSE(block.fraFormVisible || block.fraHeaderVisible || block.fraFollowServerVisible)
        << "a blank screen: nothing to log in with yet";
    EXPECT_EQ(fake.shellLock.calls.size(), 4U) << "the shell is locked at once";

    fake.time.advance(19'900);
    EXPECT_FALSE(context().forms.frmMain.loaded);
    fake.time.advance(100);
    EXPECT_TRUE(context().forms.frmMain.loaded);
    EXPECT_TRUE(block.visible);
    EXPECT_TRUE(block.fraFormVisible && block.fraControlsActive) << "the login panel";
    EXPECT_FALSE(client().startup().waiting());
}

TEST_F(StartupTest, startDelayIsBoundedToAFewMinutes) {
    configured();
    fake.store.putString(kConstants, "wksnStartDelay", "100000");
    fake.time.setBoot(10'000);
    start();
    EXPECT_TRUE(context().forms.frmBlock.visible);
    fake.time.advance(static_cast<std::int64_t>(Startup::kMaxStartDelaySeconds * 1000) - 10'000);
    EXPECT_TRUE(context().forms.frmMain.loaded);
    EXPECT_TRUE(context().forms.frmBlock.fraControlsActive);
}

TEST_F(StartupTest, settingTheClockDoesNotStretchTheStartDelay) {
    configured();
    fake.time.setBoot(10'000);
    start();
    fake.time.jumpWallClock(-3'600'000);
    fake.time.advance(20'000);
    EXPECT_TRUE(context().forms.frmMain.loaded);
}

TEST_F(StartupTest, startFiveMinutesAfterBootDoesNotWait) {
    configured();
    fake.time.setBoot(5 * 60'000);
    start();
    EXPECT_FALSE(client().startup().waiting());
    EXPECT_TRUE(context().forms.frmMain.loaded);
}

TEST_F(StartupTest, connectionDelayCountsFromBoot) {
    configured();
    fake.store.putString(kConstants, "wksnStartDelay", "0");
    fake.time.setBoot(60'000);
    start();
    EXPECT_EQ(activateClient().interval(), 30'000);
    EXPECT_EQ(client().startup().stepLabel(), "ConfigWizard");
}

TEST_F(StartupTest, connectionDelayIsTheMinimumLongAfterBoot) {
    configured();
    fake.time.setBoot(180'000);
    start();
    EXPECT_EQ(activateClient().interval(), 2'000);
}

TEST_F(StartupTest, connectionTimerStartsTheWatchdogOnce) {
    configured();
    fake.time.setBoot(180'000);
    start();
    fake.time.advance(2'000);
    EXPECT_TRUE(context().timers.tmrSrvCnxStatus->enabled());
    EXPECT_FALSE(activateClient().enabled());
}

TEST_F(StartupTest, wrongPlatformSaysSoAndEnds) {
    configured();
    fake.system.platform = 1;
    start();
    ASSERT_EQ(fake.dialogs.shown.size(), 1U);
    EXPECT_EQ(fake.dialogs.shown[0].text,
              "Incompatible operating system.\r\nYou must be running Windows NT, 2000 or XP to use "
              "OrvanClient");
    EXPECT_EQ(fake.dialogs.shown[0].style, 16);
    EXPECT_EQ(fake.shell.processEnds, 1);
    EXPECT_FALSE(context().forms.frmMain.loaded);
}

TEST_F(StartupTest, failureDuringStartUpIsShownWithItsStepAndDeactivates) {
    configured();
    fake.store.setReadOnly(Hive::Machine, true); // the settings version cannot be written
    start();
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
    ASSERT_FALSE(fake.dialogs.shown.empty());
    const auto& box = fake.dialogs.shown.back();
    EXPECT_EQ(box.style, 69648);
    EXPECT_NE(box.text.find("modFunctions.MainError(InitApp)"), std::string::npos);
    EXPECT_NE(box.text.find("/program/orvanclient.log"), std::string::npos) << box.text;
    EXPECT_TRUE(logContains("modFunctions.MainError(InitApp): #4646"));
}

TEST_F(StartupTest, shutdownOfTheApplicationClosesInOrderAndSaves) {
    configured();
    start();
    context().settings.lngMainWindowTop = 1234;
    const auto flushes = fake.store.flushes(Hive::Machine);

    EXPECT_TRUE(client().startup().funShutdownApplication(false));

    EXPECT_TRUE(context().blnShuttingDown);
    EXPECT_FALSE(context().forms.frmBlock.loaded);
    EXPECT_FALSE(context().forms.frmMain.loaded);
    EXPECT_FALSE(context().timers.tmrWksnStatus->enabled());
    EXPECT_FALSE(context().trayIconShown);
    EXPECT_EQ(fake.store.flushes(Hive::Machine), flushes + 1);
    EXPECT_EQ(
        std::get<std::string>(
            fake.store.read(Hive::User, "Software\\OrvanetixClient\\Main window position", "Top")
                .value),
        "1234");
    EXPECT_EQ(fake.shell.processEnds, 0);
}

TEST_F(StartupTest, shutdownPromptAnsweredNoLeavesEverythingRunning) {
    configured();
    start();
    fake.dialogs.answers = {Dialogs::kNo};
    client().startup().subShutdown(Shell::kShutdown, "Shut down");
    fake.time.advance(60'000);
    EXPECT_FALSE(context().blnShuttingDown);
    EXPECT_TRUE(fake.shell.exits.empty());
    EXPECT_EQ(fake.dialogs.shown.back().style, 69940);
    EXPECT_NE(fake.dialogs.shown.back().text.find("Shut down?"), std::string::npos);
}

TEST_F(StartupTest, shutdownWaitsItsDelayThenForcesTheExit) {
    configured();
    start();
    client().startup().subShutdown(Shell::kReboot, "");
    EXPECT_TRUE(context().blnShuttingDown);
    fake.time.advance(4'900);
    EXPECT_TRUE(fake.shell.exits.empty());
    fake.time.advance(100);
    EXPECT_EQ(fake.shell.exits, std::vector<int>{Shell::kReboot | Shell::kForce});
    EXPECT_EQ(fake.shell.privilegeRequests, 1);
    EXPECT_EQ(fake.shell.processEnds, 1);
}

TEST_F(StartupTest, refusedShutdownIsLoggedAndTheProcessStays) {
    configured();
    start();
    fake.shell.exitSucceeds = false;
    client().startup().subShutdown(Shell::kShutdown, "");
    fake.time.advance(5'000);
    EXPECT_EQ(fake.shell.processEnds, 0);
    EXPECT_TRUE(logContains("modFunctions.subShutdownError: #5"));
}

TEST_F(StartupTest, unwritableLogShowsTheSystemBoxAndCarriesOn) {
    configured();
    fake.files.makeUnwritable("/appdata/OrvanetixClient");
    fake.store.putString(kGeneral, "Default State", "x");
    fake.store.putString(kGeneral, "Current Settings Version", "4");
    start();
    fake.time.advance(1'000);
    client().sessionControl().subSetCloseButtons();
    context().log.subWriteLog("something");

    const auto& box = fake.dialogs.shown.back();
    EXPECT_EQ(box.text, "Impossible to create log file. please control the access rights to the "
                        "following file:\r\n/appdata/OrvanetixClient/orvanclient.log");
    EXPECT_EQ(box.title, "OrvanClient");
    EXPECT_EQ(box.style, 16);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
}

TEST_F(StartupTest, unwritableLogShowsItsBoxOncePerRun) {
    configured();
    fake.files.makeUnwritable("/appdata/OrvanetixClient");
    start();
    for (int i = 0; i < 5; ++i) {
        context().log.subWriteLog("line " + std::to_string(i));
    }
    fake.time.advance(60'000);

    int boxes = 0;
    for (const auto& box : fake.dialogs.shown) {
        boxes += box.text.rfind("Impossible to create log file.", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(boxes, 1);
}

} // namespace
} // namespace orvan::test
