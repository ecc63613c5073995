#include "AboutWindow.h"
#include "FrontEndFixture.h"
#include "SetupWizardWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
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

// A window that is seldom shown costs memory hidden too, so it waits for its model to
// need it; it must then come up at the next sync showing that model, like the windows
// made ahead.
class DeferredWindowsTest : public FrontEndFixture {
protected:
    void SetUp() override {
        FrontEndFixture::SetUp();
        ASSERT_TRUE(QTest::qWaitFor([&] { return frontEnd_->otherWindowsBuilt(); }));
    }

    static QWidget* made(const char* name) {
        for (auto* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String(name)) {
                return widget;
            }
        }
        return nullptr;
    }
    static QString text(const char* window, const char* name) {
        return made(window)->findChild<QLabel*>(QLatin1String(name))->text();
    }
};

TEST_F(DeferredWindowsTest, eachIsMadeWhenItsModelFirstNeedsItAndShowsThatModel) {
    fake.time.advance(5'000); // the splash has closed
    frontEnd_->sync();
    for (const char* name : {"frmMain", "frmMicroStatus", "frmMsgBox", "frmPasswdChange"}) {
        EXPECT_EQ(made(name), nullptr) << name;
    }

    client().sessionControl().subDeactivate();
    frontEnd_->sync();
    ASSERT_NE(made("frmMain"), nullptr);
    EXPECT_TRUE(made("frmMain")->isVisible());
    EXPECT_EQ(text("frmMain", "lblServerName").toStdString(),
              context().forms.frmMain.lblServerName);
    EXPECT_EQ(made("frmMicroStatus"), nullptr) << "loaded at start-up, never shown";

    client().msgBox().subShowMsgBox("Time is up.", MsgBox::kButtonsOK, 0, {}, nullptr,
                                    MsgBox::kModeless, 0);
    frontEnd_->sync();
    ASSERT_NE(made("frmMsgBox"), nullptr);
    EXPECT_TRUE(made("frmMsgBox")->isVisible());
    EXPECT_EQ(text("frmMsgBox", "lblText"), QStringLiteral("Time is up."));

    context().forms.frmPasswdChange.show();
    frontEnd_->sync();
    ASSERT_NE(made("frmPasswdChange"), nullptr);
    EXPECT_TRUE(made("frmPasswdChange")->isVisible());
}

// The splash is seldom on view again (as the About box): hidden, it goes with its back
// buffer, and comes back showing its model when that needs it once more. Closed by its
// own button, it must outlive that click.
TEST_F(DeferredWindowsTest, theSplashGoesOnceHiddenAndComesBackAsTheAboutBox) {
    const auto settled = [this] {
        frontEnd_->sync();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    ASSERT_NE(made("frmAbout"), nullptr);
    fake.time.advance(5'000); // the splash closes
    settled();
    EXPECT_EQ(made("frmAbout"), nullptr);

    client().sessionControl().subDeactivate();
    settled();
    ASSERT_NE(made("frmMain"), nullptr);
    EXPECT_TRUE(made("frmMain")->isVisible());
    client().mainWindow().mnuAbout_Click();
    settled();
    ASSERT_NE(made("frmAbout"), nullptr);
    EXPECT_TRUE(made("frmAbout")->isVisible());
    EXPECT_EQ(made("frmAbout")->windowTitle().toStdString(), context().forms.frmAbout.caption);
    QTest::mouseClick(made("frmAbout")->findChild<QPushButton*>(QStringLiteral("cmdOK")),
                      Qt::LeftButton);
    settled();
    EXPECT_EQ(made("frmAbout"), nullptr);
}

// A hidden status window lets chat focus requests pass; made later, it must still take
// the focus for a request made with its first show (a chat line shows it) and not for
// one made before.
TEST_F(DeferredWindowsTest, theStatusWindowFollowsOnlyChatFocusRequestsMadeOnceItIsShown) {
    for (const bool requestWithTheShow : {false, true}) {
        SCOPED_TRACE(requestWithTheShow);
        TearDown();
        SetUp();
        auto& status = context().forms.frmStatus;
        status.fraChatVisible = true;
        ++status.txtWksnChatFocusRequests;
        frontEnd_->sync();
        ASSERT_EQ(made("frmStatus"), nullptr);

        status.show();
        status.txtWksnChatFocusRequests += requestWithTheShow ? 1 : 0;
        frontEnd_->sync();
        ASSERT_NE(made("frmStatus"), nullptr);
        auto* chat = made("frmStatus")->findChild<QWidget*>(QStringLiteral("txtWksnChat"));
        EXPECT_EQ(made("frmStatus")->focusWidget() == chat, requestWithTheShow);
    }
}

// A box the engine shows while the lock screen still comes up, before any window but the
// lock windows exists, is not lost: it comes up with the other windows.
TEST_F(FrontEndTest, aBoxShownBeforeTheOtherWindowsExistComesUpWithThem) {
    ASSERT_FALSE(frontEnd_->otherWindowsBuilt());
    client().msgBox().subShowMsgBox("Early news.", MsgBox::kButtonsYesNo, 0, {}, nullptr,
                                    MsgBox::kModeless, 0);
    frontEnd_->sync();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frontEnd_->otherWindowsBuilt(); }));
    ASSERT_TRUE(msgBoxWindow().isVisible());
    EXPECT_EQ(msgBoxWindow().findChild<QLabel*>("lblText")->text(), QStringLiteral("Early news."));
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
