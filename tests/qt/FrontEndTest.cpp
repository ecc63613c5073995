#include "AboutWindow.h"
#include "FrontEndFixture.h"
#include "SetupWizardWindow.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace orvan::test {
namespace {

// Started locked, the lock windows come first and the others once the lock screen has
// been painted; none may be lost on the way, nor lag behind its model when asked for.
class FrontEndTest : public FrontEndFixture {};

TEST_F(FrontEndTest, startedLockedTheOtherWindowsComeOnceTheLockScreenIsUp) {
    ASSERT_TRUE(window().isVisible());
    ASSERT_TRUE(context().forms.frmAbout.visible) << "the splash over the lock screen";
    EXPECT_FALSE(frontEnd_->otherWindowsBuilt());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frontEnd_->otherWindowsBuilt(); }));
    EXPECT_TRUE(frontEnd_->aboutWindow().isVisible());
}

TEST_F(FrontEndTest, askingForAnotherWindowMakesThemAllInStepWithTheirModels) {
    ASSERT_FALSE(frontEnd_->otherWindowsBuilt());
    EXPECT_TRUE(frontEnd_->aboutWindow().isVisible());
    EXPECT_TRUE(frontEnd_->otherWindowsBuilt());
}

// A dialog costs memory hidden too, so it waits for its model to be loaded; once
// loaded it must come up at the next sync like the windows made ahead.
TEST_F(FrontEndTest, aDialogIsMadeOnlyWhenItsModelIsLoaded) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return frontEnd_->otherWindowsBuilt(); }));
    const auto made = [] {
        QWidget* found = nullptr;
        for (auto* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("frmPasswdChange")) {
                found = widget;
            }
        }
        return found;
    };
    EXPECT_EQ(made(), nullptr);
    context().forms.frmPasswdChange.show();
    frontEnd_->sync();
    ASSERT_NE(made(), nullptr);
    EXPECT_TRUE(made()->isVisible());
}

class UnlockedFrontEndTest : public ClientFixture {};

TEST_F(UnlockedFrontEndTest, withoutALockScreenEveryWindowIsMadeAtOnce) {
    start();
    ASSERT_FALSE(context().forms.frmBlock.visible);
    ASSERT_TRUE(context().forms.frmSetupWizard.visible);
    FrontEnd frontEnd(client(), *static_cast<QApplication*>(QCoreApplication::instance()));
    EXPECT_TRUE(frontEnd.otherWindowsBuilt());
    EXPECT_TRUE(frontEnd.dialog<SetupWizardWindow>().isVisible());
}

} // namespace
} // namespace orvan::test
