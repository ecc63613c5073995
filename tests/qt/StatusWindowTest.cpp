#include "StatusWindow.h"

#include "FrontEndFixture.h"
#include "MicroStatusWindow.h"
#include "SmallStatusWindow.h"
#include "localization/Localization.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace orvan::test {
namespace {

class StatusWindowTest : public FrontEndFixture {
protected:
    static constexpr double kMinute = 1.0 / 1440.0;

    void SetUp() override {
        FrontEndFixture::SetUp();
        fake.time.advance(5'000); // the splash has closed
        fake.tcp.socketState = TcpSocket::kConnected;
        // Every usage charged at the full rate, at any hour.
        context().workstation.tariff.intRatioDisconCon = 100;
        context().workstation.tariff.intOffPeakRatio = 100;
    }

    void open(int type, int state = Workstation::kConnected) {
        auto& session = context().workstation.session;
        session.intSessionType = type;
        session.strUserID = "123456";
        session.dteCreditTime = session.dteRemainingTime = 30 * kMinute;
        session.dteValidUntil = context().now() + 1;
        context().workstation.setState(state);
        client().sessionControl().funStartSession();
        frontEnd_->sync();
    }

    StatusWindow& status() { return frontEnd_->statusWindow(); }
    template <typename Widget = QLabel>
    Widget* in(QWidget& window, const char* name) {
        return window.findChild<Widget*>(QLatin1String(name));
    }
    bool showing(QWidget& window, const char* name) {
        auto* widget = in<QWidget>(window, name);
        return widget != nullptr && widget->isVisibleTo(&window);
    }
    QRect workArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(StatusWindowTest, eachSessionTypeShowsItsOwnFrameInTheBottomRightCorner) {
    const struct {
        int type;
        const char* frame;
        const char* counter;
    } kinds[] = {
        {Workstation::kCard, "fraCard", "lblRemainTime"},
        {Workstation::kMember, "fraClient", "lblCliRemainTime"},
        {Workstation::kSelfServicePostpaid, "fraSelfService", "lblAmountDue"},
        {Workstation::kSelfServicePrepaid, "fraSelfServicePrePaid", "lblSelfServRemainTime"}};
    for (const auto& kind : kinds) {
        open(kind.type);
        ASSERT_TRUE(status().isVisible()) << kind.frame;
        for (const char* frame :
             {"fraCard", "fraClient", "fraSelfService", "fraSelfServicePrePaid"}) {
            EXPECT_EQ(showing(status(), frame), std::string{frame} == kind.frame) << kind.frame;
        }
        EXPECT_FALSE(in(status(), kind.counter)->text().isEmpty()) << kind.counter;
        const auto frame = status().frameGeometry();
        EXPECT_EQ(frame.right(), workArea().right());
        EXPECT_EQ(frame.bottom(), workArea().bottom());
        client().sessionControl().funStopSession(true);
        frontEnd_->sync();
        EXPECT_FALSE(status().isVisible());
    }
    open(Workstation::kCard);
    EXPECT_EQ(in(status(), "lblNumCard")->text(), QStringLiteral("123456"));
}

TEST_F(StatusWindowTest, timeToNextIncrementAloneIsInArialsMetricTwin) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        GTEST_SKIP() << "fonts-liberation2 is not installed";
    }
    open(Workstation::kSelfServicePostpaid);
    client().statusWindows().cmdClose_Click();
    frontEnd_->sync();
    for (QWidget* window : {static_cast<QWidget*>(&status()),
                            static_cast<QWidget*>(&frontEnd_->smallStatusWindow())}) {
        window->ensurePolished();
        auto* label = in(*window, "lblTimeToNextIncrement");
        label->ensurePolished();
        EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("Liberation Sans"));
        auto* amount = in(*window, "lblAmountDue");
        amount->ensurePolished();
        EXPECT_NE(QFontInfo(amount->font()).family(), QStringLiteral("Liberation Sans"));
    }
}

TEST_F(StatusWindowTest, countersChangeWithoutMovingOrResizingTheWindow) {
    open(Workstation::kCard);
    auto* remaining = in(status(), "lblRemainTime");
    const auto before = remaining->text();
    const auto geometry = status().geometry();
    const auto heading = in(status(), "lbl4")->geometry();
    fake.time.advance(30'000); // within the minute before the window hides itself
    frontEnd_->sync();
    QApplication::processEvents();
    EXPECT_NE(remaining->text(), before);
    EXPECT_EQ(status().geometry(), geometry);
    EXPECT_EQ(in(status(), "lbl4")->geometry(), heading);
}

TEST_F(StatusWindowTest, aWindowAppliesItsModelOnlyWhenItChanged) {
    const QString foreign = QStringLiteral("written behind the model's back");
    open(Workstation::kCard);
    auto* full = in(status(), "lblRemainTime");
    full->setText(foreign);
    frontEnd_->sync();
    EXPECT_EQ(full->text(), foreign) << "an unchanged model is not applied again";
    fake.time.advance(1'000);
    frontEnd_->sync();
    EXPECT_EQ(full->text(), QStringLiteral("00:29:59"));

    client().statusWindows().cmdClose_Click();
    frontEnd_->sync();
    auto& small = frontEnd_->smallStatusWindow();
    ASSERT_TRUE(small.isVisible());
    in(small, "lblRemainTime")->setText(foreign);
    frontEnd_->sync();
    EXPECT_EQ(in(small, "lblRemainTime")->text(), foreign);
    fake.time.advance(1'000);
    frontEnd_->sync();
    EXPECT_EQ(in(small, "lblRemainTime")->text(), QStringLiteral("00:29:58"));

    client().sessionControl().funStopSession(true);
    frontEnd_->sync();
    full->setText(foreign);
    open(Workstation::kCard);
    EXPECT_EQ(full->text(), QStringLiteral("00:30:00")) << "shown again, applied afresh";
}

TEST_F(StatusWindowTest, chatPaneGrowsTheWindowUpwardsAndEnterSendsTheLine) {
    open(Workstation::kCard);
    const int bottom = status().frameGeometry().bottom();
    const int height = status().height();
    QTest::mouseClick(in<QPushButton>(status(), "cmdChatOpen"), Qt::LeftButton);
    ASSERT_TRUE(showing(status(), "fraChat"));
    EXPECT_GT(status().height(), height);
    EXPECT_EQ(status().frameGeometry().bottom(), bottom);

    auto* input = in<QLineEdit>(status(), "txtWksnChat");
    QTest::keyClicks(input, QStringLiteral("hello"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_NE(fake.tcp.allSent().find("%$&#####ChatMessage#hello%$&######MessageEnd#"),
              std::string::npos);
    EXPECT_TRUE(input->text().isEmpty());

    QTest::mouseClick(in<QPushButton>(status(), "cmdChatClose"), Qt::LeftButton);
    EXPECT_EQ(status().height(), height);
    EXPECT_EQ(status().frameGeometry().bottom(), bottom);
}

TEST_F(StatusWindowTest, languageChangeReachesEveryVisibleText) {
    open(Workstation::kCard);
    auto& texts = context().localization;
    const auto pause = in<QPushButton>(status(), "cmdPause")->text();
    texts.changeCurrentLanguage(kThai, 222);
    frontEnd_->sync();
    EXPECT_NE(in<QPushButton>(status(), "cmdPause")->text(), pause);
    EXPECT_EQ(in<QPushButton>(status(), "cmdPause")->text(),
              QString::fromStdString(texts.funLoadResString(10162)));
    EXPECT_EQ(in(status(), "lbl3")->text(), QString::fromStdString(texts.funLoadResString(10164)));
    EXPECT_EQ(in(status(), "title")->text(), QString::fromStdString(texts.funLoadResString(10112)));
}

TEST_F(StatusWindowTest, smallAndMicroWindowsRefuseToCloseAndStayOnTopWithoutFocus) {
    open(Workstation::kCard);
    client().statusWindows().cmdClose_Click();
    frontEnd_->sync();
    auto& small = frontEnd_->smallStatusWindow();
    ASSERT_TRUE(small.isVisible());
    EXPECT_FALSE(small.close());
    EXPECT_TRUE(small.isVisible());
    EXPECT_TRUE(small.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(small.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(small.windowFlags().testFlag(Qt::Tool)) << "not an ordinary task-bar window";
    EXPECT_LT(small.frameGeometry().right(), workArea().right());
    QTest::mouseClick(in<QPushButton>(small, "cmdPause"), Qt::LeftButton);
    frontEnd_->sync();
    EXPECT_EQ(small.focusWidget(), in<QPushButton>(small, "cmdStatus"))
        << "the confirmation leaves the customer on the status button";
    client().msgBox().cmdNo_Click();
    frontEnd_->sync();

    QTest::mouseDClick(in(small, "lblRemainTime"), Qt::LeftButton);
    EXPECT_TRUE(status().isVisible()) << "a double-click brings the full window back";
    EXPECT_FALSE(small.isVisible());

    client().sessionControl().funStopSession(true);
    open(Workstation::kFree, Workstation::kFreeSession);
    auto& micro = frontEnd_->microStatusWindow();
    ASSERT_TRUE(micro.isVisible());
    EXPECT_FALSE(micro.close());
    EXPECT_TRUE(micro.isVisible());
    EXPECT_FALSE(status().isVisible());
}

} // namespace
} // namespace orvan::test
