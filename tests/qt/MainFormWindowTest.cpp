#include "MainFormWindow.h"

#include "AboutWindow.h"
#include "FrontEndFixture.h"
#include "QtTrayIcon.h"
#include "StatusWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

namespace orvan::test {
namespace {

class MainFormWindowTest : public FrontEndFixture {
protected:
    void SetUp() override {
        FrontEndFixture::SetUp();
        fake.time.advance(5'000); // the splash has closed
        frontEnd_->sync();
    }

    MainFormWindow& main() { return frontEnd_->mainWindow(); }
    template <typename Widget>
    Widget* in(QWidget& window, const char* name) {
        return window.findChild<Widget*>(QLatin1String(name));
    }
};

TEST_F(MainFormWindowTest, deactivatedWorkstationShowsTheMainWindowWhoseButtonActivatesIt) {
    EXPECT_FALSE(main().isVisible());
    client().sessionControl().subDeactivate();
    frontEnd_->sync();
    ASSERT_TRUE(main().isVisible());
    EXPECT_TRUE(main().windowTitle().endsWith(QStringLiteral(" - pc-07")));
    EXPECT_FALSE(in<QLabel>(main(), "lblServerName")->text().isEmpty());
    for (const char* button : {"cmdActiver", "cmdShutdown", "cmdQuit"}) {
        EXPECT_FALSE(in<QPushButton>(main(), button)->text().isEmpty()) << button;
    }
    QTest::mouseClick(in<QPushButton>(main(), "cmdActiver"), Qt::LeftButton);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
    EXPECT_FALSE(main().isVisible());
}

TEST_F(MainFormWindowTest, aboutEntryOpensTheAboutBoxWhichOkCloses) {
    client().sessionControl().subDeactivate();
    frontEnd_->sync();
    in<QAction>(main(), "mnuAbout")->trigger();
    auto& about = frontEnd_->aboutWindow();
    ASSERT_TRUE(about.isVisible());
    EXPECT_TRUE(about.windowTitle().contains(QStringLiteral("1.9")));
    QTest::mouseClick(in<QPushButton>(about, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(MainFormWindowTest, trayMenuFollowsTheEngineEntries) {
    auto& tray = frontEnd_->trayIcon();
    tray.popup({{"mnuStatus", "Status", true, true}, {"mnuStopSession", "Stop", false, false}});
    const auto actions = tray.menu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(tray.menu()->defaultAction(), actions[0]);
    EXPECT_TRUE(actions[0]->font().bold());
    EXPECT_FALSE(actions[1]->isEnabled());
    tray.menu()->hide();
}

TEST_F(MainFormWindowTest, ctrlAltHeldAtTheRightClickAddsTheDeactivationEntry) {
    auto& session = context().workstation.session;
    session.intSessionType = Workstation::kCard;
    session.dteCreditTime = session.dteRemainingTime = 0.02;
    session.dteValidUntil = context().now() + 1;
    context().workstation.setState(Workstation::kConnected);
    client().sessionControl().funStartSession();
    frontEnd_->sync();
    auto& tray = frontEnd_->trayIcon();
    const auto rightClick = [&tray] {
        // The right button going down, as the tray host reports it.
        emit tray.icon()->activated(QSystemTrayIcon::Context);
        QStringList names;
        for (auto* action : tray.menu()->actions()) {
            names << action->objectName();
        }
        tray.menu()->hide();
        return names;
    };
    auto& window = frontEnd_->statusWindow();
    QTest::keyPress(&window, Qt::Key_Alt, Qt::ControlModifier | Qt::AltModifier);
    const auto held = rightClick();
    EXPECT_TRUE(held.contains(QStringLiteral("mnuDeactivate"))) << held.join(' ').toStdString();
    QTest::keyRelease(&window, Qt::Key_Alt, Qt::ControlModifier);
    const auto ctrlOnly = rightClick();
    EXPECT_FALSE(ctrlOnly.contains(QStringLiteral("mnuDeactivate")));
    EXPECT_TRUE(ctrlOnly.contains(QStringLiteral("mnuStopSession")));
    QTest::keyRelease(&window, Qt::Key_Control, Qt::NoModifier);
}

} // namespace
} // namespace orvan::test
