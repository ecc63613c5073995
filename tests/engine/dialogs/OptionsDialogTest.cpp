#include "engine/imaging/PngBytes.h"
#include "support/DialogFixture.h"

namespace orvan::test {
namespace {

using Control = OptionsForm::Control;

class OptionsDialogTest : public DialogFixture {
protected:
    void SetUp() override {
        configured();
        fake.store.putString(kServer, "Name", "cafe");
        fake.store.putDword(kServer, "Automatic Server Connection", 0);
        start();
    }
    OptionsDialog& options() { return client().optionsDialog(); }
    OptionsForm& form() { return context().forms.frmOptions; }
    void openUnlocked() {
        context().settings.strPassword.clear();
        options().Form_Load();
    }
};

TEST_F(OptionsDialogTest, withAnAdministratorPasswordEverythingWaitsForIt) {
    context().settings.strPassword = "Admin";
    options().Form_Load();
    ASSERT_TRUE(form().visible && form().topMost && form().modal);
    EXPECT_FALSE(form().controlsEnabled || form().serverFieldsEnabled);
    EXPECT_TRUE(form().lockedPicture && form().lblLockedVisible);
    EXPECT_EQ(form().focus, Control::chkLocked);
    options().optWksnTypeDskless_Click();
    EXPECT_TRUE(form().optWksnTypeSndAln) << "a locked option does not change";

    options().chkLocked_Click(true);
    EXPECT_TRUE(form().fraAdminPasswordVisible);
    EXPECT_EQ(form().defaultButton, OptionsForm::Button::cmdUnlockOptions);
    EXPECT_EQ(form().focus, Control::txtLockedPassword);
    options().txtLockedPassword_Change("admin");
    options().cmdUnlockOptions_Click();
    EXPECT_FALSE(form().controlsEnabled);
    EXPECT_EQ(fake.dialogs.shown.back().text, context().localization.funLoadResString(10101));
    EXPECT_TRUE(form().txtLockedPassword.empty());

    options().txtLockedPassword_Change("Admin");
    options().cmdUnlockOptions_Click();
    EXPECT_TRUE(form().controlsEnabled);
    EXPECT_TRUE(form().serverFieldsEnabled) << "connected by name";
    EXPECT_FALSE(form().lockedPicture || form().fraAdminPasswordVisible);
    EXPECT_EQ(form().defaultButton, OptionsForm::Button::cmdSave);

    options().chkLocked_Click(false);
    EXPECT_FALSE(form().controlsEnabled);
    EXPECT_TRUE(form().lblLockedVisible);
    EXPECT_TRUE(options().cmdCancel_Click()) << "the lock switch changes no setting";
    EXPECT_TRUE(fake.dialogs.shown.size() == 1U);
}

TEST_F(OptionsDialogTest, withoutAPasswordItOpensUnlockedWithTheLockChecked) {
    openUnlocked();
    EXPECT_TRUE(form().chkLocked && form().controlsEnabled);
    EXPECT_EQ(form().txtServerName, "cafe");
    EXPECT_FALSE(form().optServerAutoConnect);
    EXPECT_EQ(form().focus, Control::txtServerName);
}

TEST_F(OptionsDialogTest, openingEmptiesTheLockScreensMessageAndReadsItsLogoAgain) {
    auto& block = context().forms.frmBlock;
    ASSERT_TRUE(block.loaded);
    block.rtbMessageFile = "intro.rtf";
    const auto& logo = context().settings.strLogoPath;
    fake.files.write(logo, PngBytes::minimal());
    openUnlocked();
    EXPECT_TRUE(block.rtbMessageFile.empty());
    EXPECT_EQ(block.picLogo.file, logo) << "a logo put there after start-up shows";

    block.unload();
    fake.files.write(logo, "not a picture");
    options().Form_Load();
    EXPECT_EQ(block.picLogo.file, logo) << "an unloaded lock screen is left alone";
}

TEST_F(OptionsDialogTest, portFieldKeepsDigitsAndIsHeldToTheLargestPort) {
    openUnlocked();
    EXPECT_EQ(options().txtPortNum_Change(" 4a6-4 6"), 4);
    EXPECT_EQ(form().txtPortNum, "4646");
    options().txtPortNum_Change("70000");
    options().txtPortNum_LostFocus();
    EXPECT_EQ(form().txtPortNum, "65535");
    options().txtPortNum_LostFocus();
    EXPECT_EQ(form().txtPortNum, "65535");
    options().txtPortNum_Change("99999999999999999999");
    options().txtPortNum_LostFocus();
    EXPECT_EQ(form().txtPortNum, "65535") << "longer than any number";
}

TEST_F(OptionsDialogTest, workstationNameWithAHashCannotBeLeftNorSaved) {
    openUnlocked();
    options().txtWksnName_Change("pc#2");
    EXPECT_FALSE(options().txtWksnName_LostFocus());
    EXPECT_EQ(form().focus, Control::txtWksnName);
    options().cmdSave_Click();
    EXPECT_TRUE(form().visible);
    EXPECT_NE(machine(kGeneral, "Workstation Name"), "pc#2");
    options().txtWksnName_Change("pc-2 (upstairs)");
    EXPECT_TRUE(options().txtWksnName_LostFocus());
}

TEST_F(OptionsDialogTest, saveWritesTheSystemSettingsAndReconnectsWithThem) {
    fake.tcp.socketState = TcpSocket::kConnected;
    openUnlocked();
    options().txtServerName_Change("Other-Server");
    options().txtPortNum_Change("5002");
    options().txtWksnName_Change("pc-33");
    options().chkStartActive_Click(false);
    options().chkStartAtLogon_Click(true);
    options().chkAllowLockdown_Click(false);
    const int closesBefore = fake.tcp.closes;
    options().cmdSave_Click();

    EXPECT_FALSE(form().loaded);
    EXPECT_EQ(machine(kServer, "Name"), "other-server");
    EXPECT_EQ(machine(kServer, "Port"), "5002");
    EXPECT_EQ(machine(kServer, "Automatic Server Connection"), "0");
    EXPECT_EQ(machine(kServer, "TimeOut"), "10");
    EXPECT_EQ(machine(kGeneral, "Workstation Name"), "pc-33");
    EXPECT_EQ(machine(kGeneral, "Standalone Workstation"), "1");
    EXPECT_EQ(machine(kGeneral, "Start Delay"), "30");
    EXPECT_FALSE(machine(kGeneral, "Interface Language").empty());
    EXPECT_EQ(user(kGeneral, "Start active"), "0");
    EXPECT_EQ(user(kGeneral, "Allow Lockdown"), "0");
    EXPECT_FALSE(fake.shell.autostartCommand().empty());
    EXPECT_EQ(context().forms.frmMain.lblServerName, "other-server");

    EXPECT_GT(fake.tcp.closes, closesBefore) << "the old connection is closed";
    fake.time.advance(500);
    ASSERT_FALSE(fake.tcp.connects.empty());
    EXPECT_EQ(fake.tcp.connects.back(), "other-server:5002");
}

TEST_F(OptionsDialogTest, cancelAsksOnlyAfterAChange) {
    openUnlocked();
    options().chkAllowLockdown_Click(false);
    fake.dialogs.answers.push_back(ScriptedDialogs::kNo);
    EXPECT_FALSE(options().cmdCancel_Click());
    EXPECT_TRUE(form().visible);
    EXPECT_EQ(fake.dialogs.shown.back().text, context().localization.funLoadResString(10103));
    EXPECT_TRUE(options().cmdCancel_Click());
    EXPECT_FALSE(form().loaded);
    EXPECT_EQ(user(kGeneral, "Allow Lockdown"), "") << "nothing saved";
}

TEST_F(OptionsDialogTest, usageModeSwitchedEvenBackEndsTheProgramAfterSaving) {
    openUnlocked();
    options().optWksnTypeDskless_Click();
    options().optWksnTypeSndAln_Click();
    options().cmdSave_Click();
    EXPECT_EQ(fake.dialogs.shown.back().text, context().localization.funLoadResString(10345));
    EXPECT_EQ(fake.shell.processEnds, 1);
}

} // namespace
} // namespace orvan::test
