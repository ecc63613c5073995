#include "localization/Localization.h"
#include "support/FakeTrayIcon.h"
#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

using Picture = TrayIcon::Picture;
using Names = std::vector<std::string>;

class NotifyIconTest : public SessionFixture {
protected:
    void SetUp() override {
        client().attachTrayIcon(&tray);
        fake.time.advance(5'000); // the splash has closed
    }

    void cardSession() { openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute); }
    StatusForm& full() { return context().forms.frmStatus; }
    StatusForm& small() { return context().forms.frmSmallStatus; }

    FakeTrayIcon tray;
};

TEST_F(NotifyIconTest, activeWorkstationShowsTheIconAndBlinksItEverySecond) {
    ASSERT_TRUE(tray.shown) << "attached to a workstation already at its login screen";
    EXPECT_EQ(tray.toolTip, context().localization.funLoadResString(10000));
    tray.pictures.clear();
    fake.time.advance(3'000);
    const auto blinks = tray.pictures.size();
    ASSERT_EQ(blinks, 3U);
    EXPECT_NE(tray.pictures[0], tray.pictures[1]);
    EXPECT_EQ(tray.pictures[0], tray.pictures[2]);

    client().sessionControl().subDeactivate();
    EXPECT_FALSE(tray.shown);
    EXPECT_TRUE(context().forms.frmMain.visible);
    tray.pictures.clear();
    fake.time.advance(3'000);
    EXPECT_TRUE(tray.pictures.empty());
}

TEST_F(NotifyIconTest, aFailingIconStopsBlinkingWithItsLastPicture) {
    tray.failModify = true;
    fake.time.advance(1'000);
    EXPECT_FALSE(context().timers.tmrActiveTrayIcon->enabled());
    EXPECT_TRUE(logContains("frmMain.tmrActiveTrayIcon_TimerError"));
}

TEST_F(NotifyIconTest, menuOffersTheStatusOutsideFreeSessionsAndDeactivationOnlyWithCtrlAlt) {
    cardSession();
    tray.mouse(NotifyIcon::kRightButtonDown);
    EXPECT_EQ(tray.lastMenu(), (Names{"mnuStatus", "mnuStopSession", "mnuAboutPopup"}));
    EXPECT_TRUE(tray.menus.back().front().isDefault);
    tray.mouse(NotifyIcon::kRightButtonDown * NotifyIcon::kTwipsPerPixel,
               NotifyIcon::kCtrl | NotifyIcon::kAlt);
    EXPECT_EQ(tray.lastMenu(),
              (Names{"mnuStatus", "mnuStopSession", "mnuDeactivate", "mnuAboutPopup"}));
    tray.mouse(NotifyIcon::kRightButtonDown, NotifyIcon::kCtrl);
    EXPECT_EQ(tray.lastMenu().size(), 3U);

    client().sessionControl().funStopSession(false);
    session().intSessionType = Workstation::kFree;
    workstation().setState(Workstation::kFreeSession);
    client().sessionControl().funStartSession();
    tray.mouse(NotifyIcon::kRightButtonDown);
    EXPECT_EQ(tray.lastMenu(), (Names{"mnuStopSession", "mnuAboutPopup"}));
    tray.mouse(NotifyIcon::kLeftDoubleClick * NotifyIcon::kTwipsPerPixel);
    EXPECT_FALSE(small().visible);
    EXPECT_TRUE(context().forms.frmMicroStatus.visible);
}

TEST_F(NotifyIconTest, iconIgnoresTheMouseWhenReadyPausedOrDeactivated) {
    tray.mouse(NotifyIcon::kRightButtonDown);
    cardSession();
    client().sessionControl().funPauseSession();
    tray.mouse(NotifyIcon::kRightButtonDown);
    tray.mouse(NotifyIcon::kLeftDoubleClick);
    EXPECT_TRUE(tray.menus.empty());
    EXPECT_FALSE(small().visible);
}

TEST_F(NotifyIconTest, doubleClickAndStatusEntrySwapTheFullAndTheSmallWindow) {
    cardSession();
    tray.mouse(NotifyIcon::kLeftDoubleClick);
    EXPECT_FALSE(full().visible);
    EXPECT_TRUE(small().visible);
    tray.choose("mnuStatus");
    EXPECT_TRUE(full().visible);
    EXPECT_FALSE(small().visible);
}

TEST_F(NotifyIconTest, stopSessionEntryAsksBeforeEndingTheSession) {
    cardSession();
    tray.choose("mnuStopSession");
    auto& box = context().forms.frmMsgBox;
    EXPECT_EQ(box.lblText, context().localization.funLoadResString(10184));
    EXPECT_EQ(box.mfrmParent, nullptr);
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(state(), Workstation::kWaiting);
}

TEST_F(NotifyIconTest, deactivationEntryNeedsAPasswordOnAConfiguredComputer) {
    cardSession();
    tray.choose("mnuDeactivate");
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_EQ(fake.dialogs.beeps, 1);

    context().settings.strPassword = "secret";
    tray.choose("mnuDeactivate");
    EXPECT_TRUE(context().forms.frmPasswd.visible);

    context().settings.strPassword.clear();
    context().settings.intConfigWizardMachine = 0;
    tray.choose("mnuDeactivate");
    EXPECT_EQ(state(), Workstation::kDeactivated);
}

TEST_F(NotifyIconTest, withoutATrayHostNoIconIsAddedAndItIsLoggedOnce) {
    FakeTrayIcon none;
    none.hostRuns = false;
    client().attachTrayIcon(&none);
    client().sessionControl().subDeactivate();
    client().sessionControl().subActivate();
    EXPECT_FALSE(none.shown);
    EXPECT_TRUE(none.pictures.empty());
    int lines = 0;
    for (const auto& line : logMessages()) {
        lines += line.find("No notification area") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(lines, 1);
}

class MainWindowTest : public SessionFixture {
protected:
    MainWindow& window() { return client().mainWindow(); }
    MainForm& form() { return context().forms.frmMain; }
};

TEST_F(MainWindowTest, buttonsActivateQuitAndLogOffThroughTheirDialogs) {
    client().sessionControl().subDeactivate();
    window().cmdActiver_Click();
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_FALSE(form().visible);

    window().cmdShutdown_Click();
    EXPECT_TRUE(context().forms.frmPasswdLogOff.visible);

    context().settings.strPassword = "secret";
    window().cmdQuit_Click();
    EXPECT_TRUE(context().forms.frmPasswdClose.visible);
    EXPECT_FALSE(context().blnShuttingDown);

    context().settings.strPassword.clear();
    window().cmdQuit_Click();
    EXPECT_TRUE(context().blnShuttingDown);
}

TEST_F(MainWindowTest, toolsMenuOpensTheOptionsLockedBehindTheAdministratorPassword) {
    client().sessionControl().subDeactivate();
    context().settings.strPassword = "secret";
    window().mnuOptions_Click();
    const auto& options = context().forms.frmOptions;
    EXPECT_TRUE(options.visible);
    EXPECT_TRUE(options.modal);
    EXPECT_FALSE(options.caption.empty()) << "loaded by the dialog, not merely shown";
    EXPECT_FALSE(options.controlsEnabled) << "nothing may change before the password";
}

TEST_F(MainWindowTest, savedPositionIsBroughtBackInsideASmallerScreen) {
    context().settings.lngMainWindowLeft = 40'000;
    context().settings.lngMainWindowTop = 30'000;
    window().Form_Load();
    EXPECT_EQ(form().left + form().width, fake.screen.widthTwips());
    EXPECT_EQ(form().top + form().height, fake.screen.heightTwips());
    context().settings.lngMainWindowLeft = 300;
    context().settings.lngMainWindowTop = 450;
    window().Form_Load();
    EXPECT_EQ(form().left, 300);
    EXPECT_EQ(form().top, 450);
}

TEST_F(MainWindowTest, movedWindowIsWhereTheNextStartPutsIt) {
    window().Form_Moved(1200, 900);
    EXPECT_EQ(context().settings.lngMainWindowLeft, 1200);
    EXPECT_EQ(context().settings.lngMainWindowTop, 900);
}

TEST_F(MainWindowTest, captionNamesTheComputerOrTheUserInLowerCase) {
    fake.system.computer = "PC-07";
    fake.system.user = "Somchai";
    window().subLocalizeInterface();
    const auto app = context().localization.funLoadResString(10000);
    EXPECT_EQ(form().caption, app + " - pc-07");
    context().settings.blnStandaloneWorkstation = false;
    window().subLocalizeInterface();
    EXPECT_EQ(form().caption, app + " - somchai");
}

TEST_F(MainWindowTest, aboutBoxIsModalFromTheMenuAndCentredFromTheIcon) {
    window().mnuAbout_Click();
    auto& about = context().forms.frmAbout;
    EXPECT_TRUE(about.modal);
    EXPECT_TRUE(about.topMost);
    EXPECT_EQ(about.caption, context().localization.funLoadResString(10000) + " - " +
                                 AppVersion::current().text());
    client().about().cmdOK_Click();
    EXPECT_FALSE(about.loaded);
    window().mnuAboutPopup_Click();
    EXPECT_FALSE(about.modal);
    EXPECT_EQ(about.left * 2 + about.width, fake.screen.widthTwips());
}

} // namespace
} // namespace orvan::test
