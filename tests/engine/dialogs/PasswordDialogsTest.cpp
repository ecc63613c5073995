#include "base/Utf8.h"
#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

using Control = PasswdForm::Control;

class PasswordDialogsTest : public SessionFixture {
protected:
    void SetUp() override {
        context().settings.strPassword = "Admin";
        fake.tcp.socketState = TcpSocket::kConnected;
    }
    PasswordDialogs& dialogs() { return client().passwordDialogs(); }
    DeactivationDialog& deactivation() { return dialogs().deactivation(); }
    PasswdForm& passwd() { return context().forms.frmPasswd; }
    void manager(const std::string& login, const std::string& password) {
        context().user = std::make_unique<clsUser>();
        context().user->login = login;
        context().user->Passwd = password;
    }
    void gesture() { client().lockScreenActions().Form_CtrlAltEnter(); }
    void enter(const std::string& login, const std::string& password) {
        if (passwd().txtLoginEnabled) {
            deactivation().txtLogin_Change(login);
        }
        deactivation().txtPassword_Change(password);
        deactivation().cmdDeactivate_Click();
    }
    bool managerToldOfAttempt() {
        return fake.tcp.allSent().find("%$&#####MessageSend#") != std::string::npos;
    }
};

TEST_F(PasswordDialogsTest, withoutManagerTheAdministratorLoginIsFilledInAndOnlyItsPasswordCounts) {
    gesture();
    ASSERT_TRUE(passwd().visible && passwd().modal);
    EXPECT_EQ(passwd().txtLogin, "wardn");
    EXPECT_FALSE(passwd().txtLoginEnabled);
    EXPECT_EQ(passwd().focus, Control::txtPassword);
    enter("", "admin");
    EXPECT_EQ(state(), Workstation::kWaiting) << "the password is compared exactly";
    EXPECT_EQ(passwd().lblMessage, context().localization.funLoadResString(10347) + "\n" +
                                       context().localization.funLoadResString(10151) +
                                       "OrvanClient");
    EXPECT_TRUE(passwd().txtPassword.empty());
    enter("", "Admin");
    EXPECT_EQ(state(), Workstation::kDeactivated);
    EXPECT_FALSE(passwd().loaded);
    EXPECT_EQ(deactivation().failures(), 0) << "reset by the success";
}

TEST_F(PasswordDialogsTest, managerLogsInWithHisOwnLoginInAnyCaseButNotUnderTheAdministrators) {
    manager("Boss", "mgr");
    gesture();
    EXPECT_TRUE(passwd().txtLoginEnabled);
    EXPECT_TRUE(passwd().txtLogin.empty());
    EXPECT_EQ(passwd().focus, Control::txtLogin);

    deactivation().cmdDeactivate_Click();
    EXPECT_TRUE(passwd().visible) << "an empty login only asks for it";
    EXPECT_EQ(deactivation().failures(), 0);

    enter("WARDN", "mgr");
    EXPECT_EQ(state(), Workstation::kWaiting);
    enter("boss", "MGR");
    EXPECT_EQ(state(), Workstation::kWaiting);
    enter("BOSS", "mgr");
    EXPECT_EQ(state(), Workstation::kDeactivated);
}

TEST_F(PasswordDialogsTest, managerAccountUnderTheAdministratorsLoginIsIgnored) {
    manager("wardn", "mgr");
    context().settings.strPassword = "Admin";
    gesture();
    EXPECT_FALSE(passwd().txtLoginEnabled);
    enter("", "mgr");
    EXPECT_EQ(state(), Workstation::kWaiting);
}

TEST_F(PasswordDialogsTest, emptyStoredPasswordOpensNothingOnceTheComputerIsSetUp) {
    context().settings.strPassword.clear();
    manager("boss", "mgr");
    gesture();
    enter("wardn", "");
    EXPECT_EQ(state(), Workstation::kWaiting);
    context().settings.intConfigWizardMachine = 0;
    enter("wardn", "");
    EXPECT_EQ(state(), Workstation::kDeactivated) << "before the set-up, as the gestures do";
}

TEST_F(PasswordDialogsTest, dialogClosesByItselfAfterTwentySecondsAndCountsDownOnCancel) {
    gesture();
    fake.time.advance(5'000);
    EXPECT_EQ(passwd().intCountDown, 15);
    EXPECT_EQ(passwd().cmdCancelCaption, context().localization.funLoadResString(10150) + " (15)");
    enter("", "wrong");
    EXPECT_EQ(passwd().intCountDown, 20) << "a wrong entry starts the count-down again";
    fake.time.advance(19'000);
    EXPECT_TRUE(passwd().visible);
    fake.time.advance(1'000);
    EXPECT_FALSE(passwd().loaded);
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_FALSE(deactivation().tmrQuit().enabled());
}

TEST_F(PasswordDialogsTest, thirdWrongEntryTellsTheManagerLocksAndLocksOutAndSoDoesEveryNextOne) {
    gesture();
    enter("", "a");
    enter("", "b");
    EXPECT_FALSE(managerToldOfAttempt());
    enter("", "c");
    EXPECT_FALSE(passwd().loaded);
    EXPECT_EQ(state(), Workstation::kBlocked);
    EXPECT_TRUE(managerToldOfAttempt());
    EXPECT_NE(fake.tcp.allSent().find("Deactivation attempt on workstation " +
                                      context().settings.strWksnName),
              std::string::npos)
        << "in the default language";
    EXPECT_DOUBLE_EQ(workstation().dteLockOutLeft, context().constants.wksnActivateDelayTime);
    EXPECT_TRUE(client().lockScreenTimers().tmrUnblock().enabled());

    fake.tcp.sent.clear();
    gesture();
    enter("", "d");
    EXPECT_TRUE(managerToldOfAttempt()) << "at once from then on";
}

class QuitAndLogOffTest : public PasswordDialogsTest {};

TEST_F(QuitAndLogOffTest, quitNeedsTheAdministratorPasswordAsOftenAsItTakes) {
    client().sessionControl().subQuitPassword(&context().forms.frmMain);
    auto& dialog = context().forms.frmPasswdClose;
    ASSERT_TRUE(dialog.visible && dialog.topMost && dialog.modal);
    auto& quit = dialogs().quit();
    const auto shownBefore = fake.dialogs.shown.size();
    for (const char* wrong : {"", "admin", "x"}) {
        quit.txtPassword_Change(wrong);
        quit.cmdQuit_Click();
        EXPECT_TRUE(dialog.txtPassword.empty());
    }
    EXPECT_EQ(fake.dialogs.shown.size(), shownBefore + 3);
    EXPECT_EQ(fake.shell.processEnds, 0);
    quit.txtPassword_Change("Admin");
    quit.cmdQuit_Click();
    EXPECT_EQ(fake.shell.processEnds, 1);
    EXPECT_TRUE(context().blnShuttingDown);
}

TEST_F(QuitAndLogOffTest, emptyAdministratorPasswordAcceptsAnEmptyOneToQuit) {
    context().settings.strPassword.clear();
    client().sessionControl().subQuitPassword(nullptr);
    dialogs().quit().cmdQuit_Click();
    EXPECT_EQ(fake.shell.processEnds, 1);
}

TEST_F(QuitAndLogOffTest, logOffChecksThePasswordThenCarriesOutTheChosenExit) {
    auto& logOff = dialogs().logOff();
    auto& dialog = context().forms.frmPasswdLogOff;
    client().sessionControl().subLogOffPassword(nullptr);
    EXPECT_EQ(dialog.intExitKind, 0);
    logOff.optShutdown_Click(8);
    EXPECT_EQ(dialog.cmdQuitCaption, context().localization.funLoadResString(10160));
    EXPECT_EQ(dialog.lblHelp, context().localization.funLoadResString(10161) +
                                  Utf8::lowerAscii(context().localization.funLoadResString(10160)));
    logOff.txtPassword_Change("nope");
    logOff.cmdQuit_Click();
    EXPECT_TRUE(dialog.visible);
    EXPECT_EQ(fake.dialogs.shown.back().text, context().localization.funLoadResString(10101));
    fake.time.advance(60'000);
    EXPECT_TRUE(fake.shell.exits.empty());

    logOff.optShutdown_Click(2);
    logOff.txtPassword_Change("Admin");
    logOff.cmdQuit_Click();
    EXPECT_FALSE(dialog.loaded);
    fake.time.advance(static_cast<std::int64_t>(context().constants.wksnShutdownDelay) * 1000 +
                      200);
    EXPECT_EQ(fake.shell.exits, std::vector<int>{2 | Shell::kForce});
}

class PasswordChangeTest : public PasswordDialogsTest {
protected:
    void SetUp() override {
        PasswordDialogsTest::SetUp();
        session().strUserPasswd = "old";
        change().Form_Load(nullptr);
    }
    PasswordChangeDialog& change() { return dialogs().passwordChange(); }
    PasswdChangeForm& form() { return context().forms.frmPasswdChange; }
    void type(const std::string& old, const std::string& fresh, const std::string& again) {
        change().txtOldPassword_Change(old);
        change().txtNewPassword_Change(fresh);
        change().txtCheckNewPassword_Change(again);
    }
};

TEST_F(PasswordChangeTest, changeIsOfferedOnlyWhileBothNewEntriesAgree) {
    type("old", "new", "ne");
    EXPECT_FALSE(form().cmdChangeEnabled);
    change().txtCheckNewPassword_Change("new");
    EXPECT_TRUE(form().cmdChangeEnabled);
    change().txtNewPassword_Change("newer");
    EXPECT_FALSE(form().cmdChangeEnabled);
}

TEST_F(PasswordChangeTest, wrongOldPasswordBeepsAndKeepsTheDialog) {
    type("olD", "new", "new");
    change().cmdChange_Click();
    EXPECT_TRUE(form().visible);
    EXPECT_EQ(fake.dialogs.beeps, 1);
    EXPECT_EQ(form().lblResponse, context().localization.funLoadResString(10101));
    EXPECT_TRUE(form().txtOldPassword.empty());
    EXPECT_EQ(form().focus, PasswdChangeForm::Control::txtOldPassword);
    EXPECT_EQ(session().strUserPasswd, "old");
    EXPECT_TRUE(fake.tcp.sent.empty());
}

TEST_F(PasswordChangeTest, newPasswordIsKeptAndSentToTheServer) {
    type("old", "s3cret", "s3cret");
    change().cmdChange_Click();
    EXPECT_FALSE(form().loaded);
    EXPECT_EQ(session().strUserPasswd, "s3cret");
    ASSERT_EQ(fake.tcp.sent.size(), 1U);
    EXPECT_EQ(fake.tcp.sent[0], "%$&##PasswordChange#s3cret%$&######MessageEnd#");
}

TEST_F(PasswordChangeTest, passwordTheServerWouldCutIsRefusedBeforeAnythingChanges) {
    type("old", "a%$&######MessageEnd#b", "a%$&######MessageEnd#b");
    change().cmdChange_Click();
    EXPECT_TRUE(form().visible);
    EXPECT_EQ(session().strUserPasswd, "old");
    EXPECT_TRUE(fake.tcp.sent.empty());
}

} // namespace
} // namespace orvan::test
