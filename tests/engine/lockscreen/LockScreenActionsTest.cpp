#include "msgbox/MsgBox.h"
#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

using Control = BlockForm::Control;

class LockScreenActionsTest : public SessionFixture {
protected:
    BlockForm& block() { return context().forms.frmBlock; }
    LockScreenActions& actions() { return client().lockScreenActions(); }
    bool askedForPassword() { return context().forms.frmPasswd.visible; }
    void managerPassword(const std::string& password) {
        context().user = std::make_unique<clsUser>();
        context().user->login = "boss";
        context().user->Passwd = password;
    }
};

TEST_F(LockScreenActionsTest, gesturesDeactivateAtOnceWithoutAnyPasswordBeforeTheSetup) {
    context().settings.intConfigWizardMachine = 0;
    actions().picLogo_CtrlAltClick();
    EXPECT_EQ(state(), Workstation::kDeactivated);
    EXPECT_FALSE(askedForPassword());
}

TEST_F(LockScreenActionsTest, administratorPasswordGuardsEveryGesture) {
    context().settings.strPassword = "admin";
    actions().picLogo_CtrlAltClick();
    actions().Form_CtrlAltEnter();
    actions().imgFollowServer_CtrlAltClick();
    EXPECT_TRUE(askedForPassword());
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(block().topMost) << "back on top once the dialog is up";
}

TEST_F(LockScreenActionsTest, managerPasswordGuardsTheLogoAndTheKeysButNotTheFollowPicture) {
    managerPassword("mgr");
    actions().Form_CtrlAltEnter();
    EXPECT_TRUE(askedForPassword());
    context().forms.frmPasswd.unload();
    context().settings.intConfigWizardMachine = 0;
    actions().imgFollowServer_CtrlAltClick();
    EXPECT_EQ(state(), Workstation::kDeactivated);
}

TEST_F(LockScreenActionsTest, configuredComputerWithoutAnyPasswordRefusesEveryGesture) {
    actions().picLogo_CtrlAltClick();
    actions().Form_CtrlAltEnter();
    managerPassword("mgr"); // the follow picture does not count the manager's password
    actions().imgFollowServer_CtrlAltClick();
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_FALSE(askedForPassword());
    EXPECT_TRUE(block().visible);
    EXPECT_TRUE(block().topMost);
    EXPECT_TRUE(logContains("frmBlock.imgFollowServer_MouseDownError: deactivation refused"));
}

TEST_F(LockScreenActionsTest, testModeNeverMakesTheScreenTopMost) {
    context().flags.blnTestMode = true;
    block().topMost = false;
    context().settings.strPassword = "admin";
    actions().picLogo_CtrlAltClick();
    EXPECT_FALSE(block().topMost);
}

TEST_F(LockScreenActionsTest, quitAsksWithNoAsDefaultAndYesClosesTheSession) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    client().sessionControl().funPauseSession();
    client().lockScreen().refresh();
    actions().cmdQuit_Click(1);
    const auto& box = context().forms.frmMsgBox;
    EXPECT_EQ(block().focus, Control::cmdUnPause);
    EXPECT_EQ(box.lblText, "คุณต้องการเลิกใช้งาน ?");
    EXPECT_EQ(box.defaultButton, MsgBoxButton::cmdNo);
    client().msgBox().cmdNo_Click();
    EXPECT_EQ(state(), Workstation::kPaused);
    actions().cmdQuit_Click(1);
    client().msgBox().cmdYes_Click();
    EXPECT_FALSE(context().workstation.sessionExists());
    EXPECT_TRUE(block().fraControlsActive);
}

TEST_F(LockScreenActionsTest, unpauseResumesTheSessionAndTakesTheScreenDown) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    client().sessionControl().funPauseSession();
    client().lockScreen().refresh();
    actions().cmdUnPause_Click();
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_FALSE(block().visible);
}

TEST_F(LockScreenActionsTest, serviceSpotTogglesTheDiagnosticLists) {
    actions().picservice_DblClick();
    EXPECT_TRUE(block().listsVisible);
    actions().picservice_DblClick();
    EXPECT_FALSE(block().listsVisible);
}

} // namespace
} // namespace orvan::test
