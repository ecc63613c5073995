#include "SetupWizardWindow.h"

#include "FrontEndFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace orvan::test {
namespace {

class SetupWizardWindowTest : public FrontEndFixture {
protected:
    void SetUp() override {
        FrontEndFixture::SetUp();
        context().settings.intConfigWizardMachine = 0;
        client().setupWizard().Form_Load();
        frontEnd_->sync();
    }
    SetupWizardWindow& wizard() { return frontEnd_->dialog<SetupWizardWindow>(); }
    SetupWizardForm& form() { return context().forms.frmSetupWizard; }
    template <typename Widget = QWidget>
    Widget* control(const char* name) {
        return wizard().findChild<Widget*>(QLatin1String(name));
    }
    bool shownInWizard(const char* name) {
        auto* widget = control(name);
        return widget != nullptr && widget->isVisibleTo(&wizard());
    }
};

TEST_F(SetupWizardWindowTest, showsTheModelsPageAndEnterGoesOnToTheNextStep) {
    ASSERT_TRUE(wizard().isVisible());
    EXPECT_TRUE(shownInWizard("fraWelcome"));
    EXPECT_FALSE(shownInWizard("fraWizardContainer") || shownInWizard("cmdBack"));
    EXPECT_EQ(control<QLabel>("lblWelcomeTitle")->text().toStdString(), form().lblWelcomeTitle);

    QTest::keyClick(&wizard(), Qt::Key_Return);
    EXPECT_EQ(form().intStep, 1);
    EXPECT_TRUE(shownInWizard("fraStep1"));
    EXPECT_FALSE(shownInWizard("fraStep2") || shownInWizard("fraWelcome"));
    EXPECT_FALSE(control("txtServerName")->isEnabled()) << "found by broadcast";
    control<QRadioButton>("optServerManualConnect")->click();
    EXPECT_TRUE(control("txtServerName")->isEnabled());
    EXPECT_FALSE(form().optServerAutoConnect);

    auto* name = control<QLineEdit>("txtServerName");
    name->setFocus();
    QTest::keyClicks(name, "cafe server");
    QTest::keyClick(&wizard(), Qt::Key_Return);
    EXPECT_EQ(form().intStep, 1) << "no such address";
    EXPECT_EQ(control("lblServerFormat")->property("role").toString(), QStringLiteral("error"));
}

TEST_F(SetupWizardWindowTest, portFieldKeepsDigitsAsTheModelFiltersThem) {
    client().setupWizard().cmdNext_Click();
    client().setupWizard().optServerManualConnect_Click();
    frontEnd_->sync();
    auto* port = control<QLineEdit>("txtPortNum");
    port->setFocus();
    port->selectAll();
    QTest::keyClicks(port, "4a6-4 6");
    EXPECT_EQ(port->text(), QStringLiteral("4646"));
    EXPECT_EQ(form().txtPortNum, "4646");
}

TEST_F(SetupWizardWindowTest, lastStepFinishesOnEnterAndTheWindowCloses) {
    for (int i = 0; i < 5; ++i) {
        client().setupWizard().cmdNext_Click();
    }
    frontEnd_->sync();
    EXPECT_TRUE(shownInWizard("cmdFinish"));
    EXPECT_FALSE(shownInWizard("cmdNext"));
    EXPECT_TRUE(control<QPushButton>("cmdFinish")->isDefault());
    QTest::keyClick(&wizard(), Qt::Key_Enter);
    EXPECT_FALSE(form().loaded);
    EXPECT_FALSE(wizard().isVisible());
    EXPECT_EQ(context().settings.intConfigWizardUser, 1);
}

TEST_F(SetupWizardWindowTest, escapeAsksAndClosesOnYesWithoutSaving) {
    QTest::keyClick(&wizard(), Qt::Key_Escape);
    EXPECT_FALSE(wizard().isVisible());
    EXPECT_FALSE(fake.dialogs.shown.empty());
    EXPECT_FALSE(fake.store.read(Hive::Machine, kServer, "Name").found()) << "nothing saved";
}

TEST_F(SetupWizardWindowTest, staysAboveTheLockScreenWithoutTheWindowManager) {
    ASSERT_TRUE(model().visible && model().topMost);
    EXPECT_TRUE(wizard().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(wizard().windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_EQ(wizard().windowModality(), Qt::ApplicationModal);
}

} // namespace
} // namespace orvan::test
