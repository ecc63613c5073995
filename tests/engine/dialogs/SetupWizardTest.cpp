#include "support/DialogFixture.h"

namespace orvan::test {
namespace {

using Control = SetupWizardForm::Control;

class SetupWizardTest : public DialogFixture {
protected:
    SetupWizard& wizard() { return client().setupWizard(); }
    SetupWizardForm& form() { return context().forms.frmSetupWizard; }
    int step() { return form().intStep; }
    void next(int times = 1) {
        for (int i = 0; i < times; ++i) {
            wizard().cmdNext_Click();
        }
    }
    // A new computer: nothing set up yet.
    void startFresh() { start(); }
    // A computer set up by another user: only this user's part is missing.
    void startAsNewUser() {
        fake.store.putString(kGeneral, "Config Wizard", "1");
        fake.store.putString(kGeneral, "Current Settings Version", "4");
        start();
    }
};

TEST_F(SetupWizardTest, firstStartShowsTheWelcomePageModalInFrontOfTheMainWindow) {
    startFresh();
    const auto& w = form();
    EXPECT_TRUE(w.visible && w.modal);
    EXPECT_EQ(step(), 0);
    EXPECT_TRUE(w.fraWelcomeVisible);
    EXPECT_FALSE(w.fraWizardContainerVisible || w.cmdBackVisible || w.cmdFinishVisible);
    EXPECT_TRUE(w.cmdNextVisible);
    EXPECT_FALSE(context().forms.frmMain.topMost);
    EXPECT_EQ(w.caption, "OrvanClient - " + context().localization.funLoadResString(10015));
    EXPECT_NE(w.lblCurrentUser.find("\n"), std::string::npos);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
}

TEST_F(SetupWizardTest, nextWalksThroughEveryStepWithItsTitleAndFirstField) {
    startFresh();
    const std::pair<long, Control> steps[] = {{10023, Control::optServerAutoConnect},
                                              {10026, Control::txtWksnName},
                                              {10029, Control::chkStartAtLogon},
                                              {10032, Control::chkAllowLockdown},
                                              {10036, Control::chkActivateNow}};
    for (int i = 0; i < 5; ++i) {
        next();
        EXPECT_EQ(step(), i + 1);
        EXPECT_EQ(form().lblConfigStepTitle,
                  context().localization.funLoadResString(steps[i].first));
        EXPECT_EQ(form().focus, steps[i].second);
        EXPECT_TRUE(form().fraWizardContainerVisible && form().cmdBackVisible);
    }
    EXPECT_FALSE(form().cmdNextVisible);
    EXPECT_TRUE(form().cmdFinishVisible);
    EXPECT_EQ(form().defaultButton, SetupWizardForm::Button::cmdFinish);
    next();
    EXPECT_EQ(step(), 5) << "no step after the last";
    wizard().cmdBack_Click();
    EXPECT_EQ(step(), 4);
    EXPECT_EQ(form().defaultButton, SetupWizardForm::Button::cmdNext);
}

TEST_F(SetupWizardTest, newUserOfAConfiguredComputerSkipsTheMachineSteps) {
    startAsNewUser();
    next();
    EXPECT_EQ(step(), 3);
    wizard().cmdBack_Click();
    EXPECT_EQ(step(), 2) << "the welcome page, ready to skip again";
    EXPECT_TRUE(form().fraWelcomeVisible);
    next();
    EXPECT_EQ(step(), 3);
}

TEST_F(SetupWizardTest, finishSavesTheSettingsAndBothMarkersAndConnectsToTheNamedServer) {
    startFresh();
    next();
    wizard().optServerManualConnect_Click();
    EXPECT_TRUE(form().serverFieldsEnabled);
    wizard().txtServerName_Change(" Cafe-Server ");
    EXPECT_EQ(wizard().txtPortNum_Change("5a0-01"), 4);
    EXPECT_EQ(form().txtPortNum, "5001");
    next();
    wizard().txtWksnName_Change("pc-12");
    next(3);
    wizard().chkActivateNow_Click(true);
    wizard().cmdFinish_Click();

    EXPECT_FALSE(form().loaded);
    EXPECT_TRUE(context().forms.frmMain.topMost);
    EXPECT_EQ(machine(kServer, "Name"), "cafe-server");
    EXPECT_EQ(machine(kServer, "Port"), "5001");
    EXPECT_EQ(machine(kServer, "Automatic Server Connection"), "0");
    EXPECT_EQ(machine(kGeneral, "Workstation Name"), "pc-12");
    EXPECT_EQ(machine(kGeneral, "Config Wizard"), "1");
    EXPECT_EQ(user(kGeneral, "Config Wizard"), "1");
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting) << "activated now";
    EXPECT_TRUE(context().forms.frmBlock.visible);

    letTheLinkStart();
    ASSERT_FALSE(fake.tcp.connects.empty());
    EXPECT_EQ(fake.tcp.connects.back(), "cafe-server:5001");
}

TEST_F(SetupWizardTest, finishWithoutActivateNowLeavesTheWorkstationInactive) {
    startFresh();
    next(5);
    wizard().chkActivateNow_Click(false);
    wizard().cmdFinish_Click();
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
    EXPECT_EQ(user(kGeneral, "Config Wizard"), "1");
    EXPECT_TRUE(context().timers.tmrActivateClient->enabled());
}

TEST_F(SetupWizardTest, activateNowFollowsStartActiveWhenTheLastStepShows) {
    startFresh();
    next(3);
    wizard().chkStartActive_Click(false);
    next(2);
    EXPECT_FALSE(form().chkActivateNow);
    wizard().cmdBack_Click();
    wizard().chkStartActive_Click(true);
    next();
    EXPECT_TRUE(form().chkActivateNow);
}

TEST_F(SetupWizardTest, cancelAsksAndNoKeepsTheWizardOnItsStep) {
    startFresh();
    next(2);
    fake.dialogs.answers.push_back(ScriptedDialogs::kNo);
    EXPECT_FALSE(wizard().cmdCancel_Click());
    EXPECT_TRUE(form().visible);
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(fake.dialogs.shown.back().text, context().localization.funLoadResString(10022));

    EXPECT_TRUE(wizard().cmdCancel_Click());
    EXPECT_FALSE(form().loaded);
    EXPECT_EQ(user(kGeneral, "Config Wizard"), "") << "the wizard comes again next time";
    EXPECT_TRUE(context().timers.tmrActivateClient->enabled()) << "the client still connects";
}

TEST_F(SetupWizardTest, fieldsThatCannotBeSavedKeepTheirStep) {
    startFresh();
    next();
    wizard().optServerManualConnect_Click();
    wizard().txtServerName_Change("cafe server!");
    next();
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(form().focus, Control::txtServerName);
    EXPECT_EQ(form().lblServerFormat, context().localization.funLoadResString(10366));
    wizard().txtServerName_Change("192.168.1.20");
    next();
    ASSERT_EQ(step(), 2);

    wizard().txtWksnName_Change("pc#1");
    EXPECT_FALSE(wizard().txtWksnName_LostFocus());
    next();
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(form().focus, Control::txtWksnName);
    EXPECT_EQ(fake.dialogs.shown.back().text, context().localization.funLoadResString(10317, "#"));
}

TEST_F(SetupWizardTest, emptyServerNameMeansSearchingTheNetwork) {
    startFresh();
    next();
    wizard().optServerManualConnect_Click();
    wizard().txtServerName_Change("");
    next(4);
    wizard().cmdFinish_Click();
    EXPECT_EQ(machine(kServer, "Automatic Server Connection"), "1");
    EXPECT_EQ(context().forms.frmMain.lblServerName,
              context().localization.funLoadResString(10310));
}

} // namespace
} // namespace orvan::test
