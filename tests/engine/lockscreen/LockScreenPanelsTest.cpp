#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

using Control = BlockForm::Control;

class LockScreenPanelsTest : public SessionFixture {
protected:
    BlockForm& block() { return context().forms.frmBlock; }
    void refreshIn(int newState) {
        context().workstation.setState(newState);
        client().lockScreen().refresh();
    }
    // Which panel shows, as one letter per panel: A active, B blocked, E ended,
    // N no credit, P paused, L locked, F follow.
    std::string panels() {
        auto& b = block();
        std::string shown;
        for (auto [visible, letter] : {std::pair{b.fraControlsActive, 'A'},
                                       {b.fraControlsBlocked, 'B'},
                                       {b.fraControlsSessionEnd, 'E'},
                                       {b.fraControlsNoMoreCredit, 'N'},
                                       {b.fraControlsPaused, 'P'},
                                       {b.fraControlsLocked, 'L'},
                                       {b.fraFollowServerVisible, 'F'}}) {
            if (visible) {
                shown += letter;
            }
        }
        return shown;
    }
};

TEST_F(LockScreenPanelsTest, eachBlockedStateShowsItsOwnPanelAndMessage) {
    struct Case {
        int state;
        const char* panel;
        const char* message;
        Control focus;
    };
    // An English computer reads the messages of the complete English pack.
    const std::string data = std::string{kDataPath} + "/gb_";
    for (const auto& c :
         {Case{2, "A", "intro.rtf", Control::txtCardNum},
          Case{3, "B", "blocked.rtf", Control::None}, Case{4, "E", "sessionend.rtf", Control::None},
          Case{8, "N", "nocredit.rtf", Control::cmdReCnx},
          Case{9, "P", "sessionpaused.rtf", Control::cmdUnPause},
          Case{10, "L", "sessionpaused.rtf", Control::None}}) {
        refreshIn(c.state);
        SCOPED_TRACE(c.state);
        EXPECT_EQ(panels(), c.panel);
        EXPECT_EQ(block().rtbMessageFile, data + c.message);
        EXPECT_EQ(block().focus, c.focus);
        EXPECT_TRUE(block().visible && block().fraFormVisible && block().fraHeaderVisible &&
                    block().fraFooterVisible);
    }
    refreshIn(Workstation::kPausedFollow);
    EXPECT_EQ(panels(), "F") << "the follow picture alone";
    EXPECT_FALSE(block().fraFormVisible || block().fraHeaderVisible || block().fraFooterVisible);
    EXPECT_EQ(block().rtbMessageFile, "");
}

TEST_F(LockScreenPanelsTest, stateWithoutAPanelChangesNothingOnScreenNorTheLockdown) {
    refreshIn(Workstation::kBlocked);
    const auto before = panels();
    fake.shellLock.calls.clear();
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    fake.shellLock.calls.clear();
    const bool visible = block().visible;
    client().lockScreen().refresh(); // state 6: a running session
    EXPECT_EQ(panels(), before);
    EXPECT_EQ(block().visible, visible);
    EXPECT_TRUE(fake.shellLock.calls.empty());
}

TEST_F(LockScreenPanelsTest, loginPanelStartsEmptyInTheDefaultLanguageAndUsage) {
    auto& b = block();
    b.txtCardNum = "123";
    b.txtLogin = "somchai";
    b.txtPassword = "secret";
    context().localization.changeCurrentLanguage("orvanclient_fr", 0);
    context().settings.intDefaultMode = 0;
    refreshIn(Workstation::kWaiting);
    EXPECT_EQ(b.txtCardNum + b.txtLogin + b.txtPassword, "");
    EXPECT_EQ(context().localization.currentLanguage(), context().localization.defaultLanguage());
    EXPECT_TRUE(b.optDisconnected.value);
    EXPECT_FALSE(b.optConnected.value);
    EXPECT_EQ(b.defaultButton, Control::cmdCxn);
}

TEST_F(LockScreenPanelsTest, cardNumberIsMaskedOnlyWhileHidden) {
    context().settings.blnHideCardNumber = true;
    refreshIn(Workstation::kWaiting);
    EXPECT_EQ(block().txtCardNumPasswordChar, "*");
    context().settings.blnHideCardNumber = false;
    refreshIn(Workstation::kWaiting);
    EXPECT_EQ(block().txtCardNumPasswordChar, "");
}

TEST_F(LockScreenPanelsTest, reconnectButtonFollowsTheServerLinkInTheNoCreditState) {
    context().link.blnConnected = false;
    refreshIn(Workstation::kNoCredit);
    EXPECT_FALSE(block().cmdReCnxEnabled);
    EXPECT_EQ(block().defaultButton, Control::cmdReCnx);
    context().link.blnConnected = true;
    refreshIn(Workstation::kNoCredit);
    EXPECT_TRUE(block().cmdReCnxEnabled);
}

TEST_F(LockScreenPanelsTest, testModeKeepsTheScreenAnOrdinaryWindow) {
    context().flags.blnTestMode = true;
    refreshIn(Workstation::kBlocked);
    EXPECT_TRUE(block().visible);
    EXPECT_FALSE(block().topMost);
    context().flags.blnTestMode = false;
    refreshIn(Workstation::kBlocked);
    EXPECT_TRUE(block().topMost);
}

TEST_F(LockScreenPanelsTest, refreshClosesDialogsAndStatusWindowsFirst) {
    auto& forms = context().forms;
    forms.frmPasswd.show();
    forms.frmPasswdChange.show();
    forms.frmSmallStatus.show();
    refreshIn(Workstation::kBlocked);
    EXPECT_FALSE(forms.frmPasswd.loaded || forms.frmPasswdChange.loaded);
    EXPECT_FALSE(forms.frmSmallStatus.visible);
}

TEST_F(LockScreenPanelsTest, layoutCentresTheBoxBetweenBandsAcrossTheScreen) {
    const auto& b = block();
    const long width = fake.screen.widthTwips();
    const long height = fake.screen.heightTwips();
    EXPECT_EQ(b.fraHeader.width, width);
    EXPECT_EQ(b.fraFooter.width, width);
    EXPECT_EQ(b.fraFooter.top + b.fraFooter.height, height);
    EXPECT_EQ(b.fraForm.top * 2 + b.fraForm.height, height);
    EXPECT_EQ(b.fraForm.left * 2 + b.fraForm.width, width);
    EXPECT_EQ(b.fraNoServCnx.top, b.fraHeader.height + LockScreenLayout::kMargin);
    EXPECT_EQ(b.fraFollowServer.width, width);
    EXPECT_EQ(b.fraFollowServer.height, height);
}

TEST_F(LockScreenPanelsTest, captionsComeFromTheCurrentLanguageAndFollowAChange) {
    const auto& b = block();
    EXPECT_EQ(b.cmdCxn.caption, "ใช้งาน");
    EXPECT_EQ(b.picLogoToolTip,
              "To deactivate Orvanetix  hold down the Control and Alt keys and click here");
    EXPECT_EQ(b.txtLoginToolTip, "The following characters are illegal: \\?/:*<>|\" '#~จ^`%$");
    EXPECT_EQ(b.lbl[0].caption, "อยู่ใหนโหมดพักชั่วคราว.");
    EXPECT_EQ(b.lbl[12].caption, b.lbl[9].caption);

    fake.files.write("/program/orvanclient_gb.lang",
                     "[Language]\nName=English\nNameWestern=English\n[Strings]\n10113=Start\n");
    client().lockScreen().texts().fillLanguages();
    ASSERT_EQ(b.cmbLanguage.size(), 2U);
    EXPECT_EQ(b.cmbLanguage[1].name, "English");
    refreshIn(Workstation::kBlocked);
    client().lockScreenActions().cmbLanguage_Click(1);
    EXPECT_EQ(b.cmdCxn.caption, "Start");
    EXPECT_EQ(b.cmbLanguageIndex, 1);
    EXPECT_EQ(b.rtbMessageFile, std::string{kDataPath} + "/gb_blocked.rtf");
    client().lockScreenActions().cmbLanguage_Click(7); // no such entry
    EXPECT_EQ(b.cmdCxn.caption, "Start");
}

TEST_F(LockScreenPanelsTest, workstationNameCarriesTheComputerNameWhenTheyDiffer) {
    context().settings.strWksnName = "pc-07";
    client().lockScreen().texts().subLocalizeInterface();
    EXPECT_EQ(block().lblWksnName, "pc-07");
    EXPECT_EQ(block().lblWksnNameToolTip, "") << "the same name in another case";
    context().settings.strWksnName = "Counter 3";
    client().lockScreen().texts().subLocalizeInterface();
    EXPECT_EQ(block().lblWksnNameToolTip, "\\\\PC-07");
}

class LockScreenLoadTest : public ClientFixture {
protected:
    BlockForm& block() { return context().forms.frmBlock; }
};

TEST_F(LockScreenLoadTest, picturesAndKillListComeFromTheProgramFolderSlotBySlot) {
    configured();
    for (const char* name : {"1.jpg", "5.jpg", "18.jpg", "19.jpg", "0.jpg"}) {
        fake.files.write(std::string{"/program/"} + name, "picture");
    }
    fake.files.write("/program/kill.txt", "game.exe\r\n\r\ntorrent\n");
    start();
    const auto& img = block().img;
    EXPECT_EQ(img[0], "/program/1.jpg");
    EXPECT_EQ(img[4], "/program/5.jpg");
    EXPECT_EQ(img[17], "/program/18.jpg");
    EXPECT_EQ(std::count(img.begin(), img.end(), std::string{}), 15);
    EXPECT_EQ(block().List1, (std::vector<std::string>{"game.exe", "torrent"}));
}

TEST_F(LockScreenLoadTest, missingKillListIsReportedAndTheScreenStillComesUp) {
    configured();
    start();
    EXPECT_TRUE(block().visible);
    EXPECT_TRUE(block().List1.empty());
    EXPECT_TRUE(logContains("frmBlock.subLoadKillListError"));
}

} // namespace
} // namespace orvan::test
