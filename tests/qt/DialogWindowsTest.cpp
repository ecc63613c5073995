#include "FrontEndFixture.h"
#include "OptionsWindow.h"
#include "PasswdChangeWindow.h"
#include "PasswdCloseWindow.h"
#include "PasswdLogOffWindow.h"
#include "PasswdWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace orvan::test {
namespace {

class DialogWindowsTest : public FrontEndFixture {
protected:
    void SetUp() override {
        FrontEndFixture::SetUp();
        context().settings.strPassword = "Admin";
    }
    template <typename Window>
    Window& shown() {
        frontEnd_->sync();
        return frontEnd_->dialog<Window>();
    }
    template <typename Widget = QWidget>
    static Widget* in(QWidget& window, const char* name) {
        return window.findChild<Widget*>(QLatin1String(name));
    }
    static void type(QWidget& window, const char* field, const char* text) {
        auto* edit = in<QLineEdit>(window, field);
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(DialogWindowsTest, everyPasswordFieldIsMasked) {
    client().passwordDialogs().openDeactivation(&model());
    client().passwordDialogs().openQuit(nullptr);
    client().passwordDialogs().openLogOff(nullptr);
    client().passwordDialogs().passwordChange().Form_Load(nullptr);
    client().optionsDialog().Form_Load();
    frontEnd_->sync();
    const std::pair<QWidget*, std::vector<const char*>> fields[] = {
        {&frontEnd_->dialog<PasswdWindow>(), {"txtPassword"}},
        {&frontEnd_->dialog<PasswdCloseWindow>(), {"txtPassword"}},
        {&frontEnd_->dialog<PasswdLogOffWindow>(), {"txtPassword"}},
        {&frontEnd_->dialog<PasswdChangeWindow>(),
         {"txtOldPassword", "txtNewPassword", "txtCheckNewPassword"}},
        {&frontEnd_->dialog<OptionsWindow>(), {"txtLockedPassword"}},
    };
    for (const auto& [window, names] : fields) {
        for (const char* name : names) {
            auto* edit = in<QLineEdit>(*window, name);
            ASSERT_NE(edit, nullptr) << name;
            EXPECT_EQ(edit->echoMode(), QLineEdit::Password) << name;
        }
    }
}

TEST_F(DialogWindowsTest, deactivationOverTheLockScreenTakesTypingAndEnterTriesIt) {
    client().lockScreenActions().Form_CtrlAltEnter();
    auto& window = shown<PasswdWindow>();
    ASSERT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(in(window, "txtLogin")->isEnabled()) << "no manager account yet";
    type(window, "txtPassword", "Admi");
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(in<QLineEdit>(window, "txtPassword")->text().isEmpty()) << "cleared";
    EXPECT_FALSE(in<QLabel>(window, "lbl0")->text().isEmpty());
    type(window, "txtPassword", "Admin");
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
}

TEST_F(DialogWindowsTest, escapeCancelsEveryPasswordDialog) {
    client().lockScreenActions().Form_CtrlAltEnter();
    QTest::keyClick(&shown<PasswdWindow>(), Qt::Key_Escape);
    client().passwordDialogs().openQuit(nullptr);
    QTest::keyClick(&shown<PasswdCloseWindow>(), Qt::Key_Escape);
    client().passwordDialogs().openLogOff(nullptr);
    QTest::keyClick(&shown<PasswdLogOffWindow>(), Qt::Key_Escape);
    client().passwordDialogs().passwordChange().Form_Load(nullptr);
    QTest::keyClick(&shown<PasswdChangeWindow>(), Qt::Key_Escape);
    const auto& forms = context().forms;
    EXPECT_FALSE(forms.frmPasswd.loaded || forms.frmPasswdClose.loaded ||
                 forms.frmPasswdLogOff.loaded || forms.frmPasswdChange.loaded);
    EXPECT_EQ(fake.shell.processEnds, 0);
    EXPECT_TRUE(fake.shell.exits.empty());
}

TEST_F(DialogWindowsTest, logOffOptionsNameTheExitAndEnterAsksForThePassword) {
    client().passwordDialogs().openLogOff(nullptr);
    auto& window = shown<PasswdLogOffWindow>();
    in<QRadioButton>(window, "optShutdown8")->click();
    EXPECT_EQ(context().forms.frmPasswdLogOff.intExitKind, 8);
    EXPECT_EQ(in<QPushButton>(window, "cmdQuit")->text().toStdString(),
              context().localization.funLoadResString(10160));
    QTest::keyClick(&window, Qt::Key_Enter);
    EXPECT_TRUE(window.isVisible()) << "the wrong password was refused";
}

TEST_F(DialogWindowsTest, passwordChangeOffersChangeOnlyWhenTheEntriesAgree) {
    context().workstation.session.strUserPasswd = "old";
    client().passwordDialogs().passwordChange().Form_Load(nullptr);
    auto& window = shown<PasswdChangeWindow>();
    type(window, "txtOldPassword", "old");
    type(window, "txtNewPassword", "new");
    type(window, "txtCheckNewPassword", "ne");
    EXPECT_FALSE(in(window, "cmdChange")->isEnabled());
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible()) << "Enter does nothing the button would not";
    type(window, "txtCheckNewPassword", "w");
    EXPECT_TRUE(in(window, "cmdChange")->isEnabled());
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(context().workstation.session.strUserPasswd, "new");
}

TEST_F(DialogWindowsTest, optionsOpenLockedAndEnterUnlocksWithThePassword) {
    client().optionsDialog().Form_Load();
    auto& window = shown<OptionsWindow>();
    EXPECT_FALSE(in(window, "txtWksnName")->isEnabled());
    EXPECT_FALSE(in(window, "cmdSave")->isEnabled());
    EXPECT_TRUE(in(window, "cmdCancel")->isEnabled());
    EXPECT_FALSE(in(window, "fraAdminPassword")->isVisibleTo(&window));
    in<QCheckBox>(window, "chkLocked")->click();
    EXPECT_TRUE(in(window, "fraAdminPassword")->isVisibleTo(&window));
    type(window, "txtLockedPassword", "Admin");
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(in(window, "txtWksnName")->isEnabled());
    EXPECT_TRUE(in(window, "cmdSave")->isEnabled());
    EXPECT_TRUE(in<QPushButton>(window, "cmdSave")->isDefault());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible()) << "nothing changed: closed without a question";
}

TEST_F(DialogWindowsTest, optionsPortFieldFiltersAsTheModelDoes) {
    context().settings.strPassword.clear();
    client().optionsDialog().Form_Load();
    auto& window = shown<OptionsWindow>();
    in<QRadioButton>(window, "optServerManualConnect")->click();
    auto* port = in<QLineEdit>(window, "txtPortNum");
    port->setFocus();
    port->selectAll();
    QTest::keyClicks(port, "7a0-0 00");
    EXPECT_EQ(port->text(), QStringLiteral("70000"));
}

} // namespace
} // namespace orvan::test
