#include "base/DateSerial.h"
#include "base/TimeFormat.h"
#include "model/MsgBoxForm.h"
#include "support/SessionFixture.h"

#include <cmath>
#include <limits>

namespace orvan::test {
namespace {

class SessionClockTest : public SessionFixture {
protected:
    const StatusForm& status() { return context().forms.frmStatus; }
    long long seconds(double days) { return std::llround(days * 86'400.0); }
};

TEST_F(SessionClockTest, tenMinuteCardRunsOutAfterTenMinutesOfConnectedUsage) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 10 * kMinute);
    EXPECT_EQ(status().lblRemainTime, "00:10:00");
    EXPECT_FALSE(context().forms.frmBlock.visible);

    minutes(9.99);
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_EQ(reports->forcedUpdates, 0);
    minutes(0.01);

    EXPECT_EQ(state(), Workstation::kNoCredit);
    EXPECT_EQ(workstation().intPrevWksnState, Workstation::kConnected);
    EXPECT_EQ(reports->forcedUpdates, 1);
    EXPECT_TRUE(context().forms.frmBlock.visible) << "the no-credit panel";
    EXPECT_TRUE(client().lockScreenTimers().tmrCloseSession().enabled());
    EXPECT_DOUBLE_EQ(workstation().dteCloseSessionLeft, 5 * kMinute);
    EXPECT_EQ(session().dteRemainingTime, 0);
    EXPECT_EQ(seconds(session().dteConnectedTime), 600);

    minutes(1);
    EXPECT_EQ(state(), Workstation::kNoCredit);
    EXPECT_EQ(reports->forcedUpdates, 1) << "the end is reported once";
    EXPECT_EQ(seconds(session().dteNoCreditTime), 60);
    EXPECT_EQ(seconds(session().dteElapsedTime), 600);
}

TEST_F(SessionClockTest, disconnectedUsageAtHalfRateLastsTwiceAsLong) {
    workstation().tariff.intRatioDisconCon = 50;
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, 10 * kMinute);
    EXPECT_EQ(status().lblRemainTime, "00:20:00");
    EXPECT_EQ(seconds(session().dteRemainingTime), 600);

    minutes(19.99);
    EXPECT_EQ(state(), Workstation::kDisconnected);
    minutes(0.01);
    EXPECT_EQ(state(), Workstation::kNoCredit);
    EXPECT_EQ(seconds(session().dteDisconnectedTime), 1200);
}

TEST_F(SessionClockTest, freeDisconnectedUsageShowsUnlimited) {
    workstation().tariff.intRatioDisconCon = 0;
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, 10 * kMinute);
    minutes(30);
    EXPECT_EQ(status().lblRemainTime, "Unlimited");
    EXPECT_EQ(context().forms.frmSmallStatus.lblRemainTime, "Unlimited");
    EXPECT_EQ(state(), Workstation::kDisconnected);
}

TEST_F(SessionClockTest, validityCapsTheRemainingTimeAndEndsTheSession) {
    fake.time.setLocalDateTime(2026, 12, 8, 10, 0, 0);
    openPrepaid(Workstation::kCard, Workstation::kConnected, 2.0 / 24.0, 30 * kMinute);
    EXPECT_EQ(status().lblRemainTime, "00:30:00");
    EXPECT_EQ(status().lblValidDate, "12/8/2026");
    EXPECT_EQ(status().lblValidTime, "10:30:00 AM");

    minutes(29.99);
    EXPECT_EQ(state(), Workstation::kConnected);
    minutes(0.01);
    EXPECT_EQ(state(), Workstation::kNoCredit);
}

TEST_F(SessionClockTest, remainingTimeWarningsShowOnceEach) {
    auto& options = workstation().messageOptions;
    options.intWarnRemaining = 1;
    options.intWarnMinutes1 = 5;
    options.intWarnMinutes2 = 1;
    openPrepaid(Workstation::kMember, Workstation::kConnected, 7 * kMinute);
    const int beepsBefore = fake.dialogs.beeps;

    minutes(1.99);
    EXPECT_EQ(fake.dialogs.beeps, beepsBefore);
    minutes(0.01);
    EXPECT_EQ(fake.dialogs.beeps, beepsBefore + 1);
    EXPECT_EQ(context().forms.frmMsgBox.lblText, "Your session will end in 5 minutes.");
    EXPECT_TRUE(context().forms.frmMsgBox.visible);

    minutes(3.5);
    EXPECT_EQ(fake.dialogs.beeps, beepsBefore + 1) << "nothing between the thresholds";
    minutes(0.5);
    EXPECT_EQ(fake.dialogs.beeps, beepsBefore + 2);
    EXPECT_EQ(context().forms.frmMsgBox.lblText, "Your session will end in 1 minutes.");
    minutes(0.9);
    EXPECT_EQ(fake.dialogs.beeps, beepsBefore + 2);
}

TEST_F(SessionClockTest, lateTickStillWarnsAndLosesNoTime) {
    auto& options = workstation().messageOptions;
    options.intWarnRemaining = 1;
    options.intWarnMinutes1 = 5;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 10 * kMinute);
    auto& timer = *context().timers.tmrSessionStatus;
    minutes(4.5);
    timer.setEnabled(false); // the program was busy for a while
    minutes(1);
    timer.setEnabled(true);
    const int beeps = fake.dialogs.beeps;
    fake.time.advance(1'000); // ticks come at least once a second
    EXPECT_EQ(seconds(session().dteConnectedTime), 331) << "the minute without ticks counts";
    EXPECT_EQ(fake.dialogs.beeps, beeps + 1) << "the display jumped past 00:05:00";
}

// The clock ticks once a second, when the count-down shows another second, rather
// than ten times a second: what it shows and when it acts must not move by that.
class SessionTickTest : public SessionClockTest {
protected:
    static constexpr double kSecond = 1.0 / 86'400.0;
    // A credit with a fraction, so that the shown second turns between whole seconds of
    // the session.
    static constexpr double kOddCredit = 400.3 * kSecond;

    std::string shownFor(double seconds) {
        return TimeFormat::funFormatTime(static_cast<double>(std::llround(seconds)) * kSecond, 0,
                                         TimeFormat::Units{});
    }
};

TEST_F(SessionTickTest, countDownShowsEverySecondOnTimeAndWarnsAtIt) {
    auto& options = workstation().messageOptions;
    options.intWarnRemaining = 1;
    options.intWarnMinutes1 = 5;
    options.intWarnMinutes2 = 1;
    workstation().tariff.intRatioDisconCon = 50;
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, kOddCredit / 2);
    const int beeps = fake.dialogs.beeps;
    int warned = 0;
    for (int step = 1; step * 10 < 400'300; ++step) {
        fake.time.advance(10);
        const int leftMillis = 400'300 - step * 10;
        // Exactly on a half second either neighbour is right.
        if (leftMillis % 1'000 != 500) {
            ASSERT_EQ(status().lblRemainTime, shownFor(leftMillis / 1'000.0)) << leftMillis;
        }
        ASSERT_EQ(context().forms.frmSmallStatus.lblRemainTime, status().lblRemainTime);
        const bool atThreshold =
            status().lblRemainTime == "00:05:00" || status().lblRemainTime == "00:01:00";
        if (atThreshold && fake.dialogs.beeps == beeps + warned + 1) {
            ++warned;
        }
        ASSERT_EQ(fake.dialogs.beeps, beeps + warned) << "a warning away from its second";
        ASSERT_EQ(state(), Workstation::kDisconnected);
    }
    EXPECT_EQ(warned, 2);
    fake.time.advance(10);
    EXPECT_EQ(state(), Workstation::kNoCredit) << "at the end, not a tick later";
    EXPECT_TRUE(context().forms.frmBlock.visible);
}

TEST_F(SessionTickTest, creditEndLocksAtItsMillisecond) {
    openPrepaid(Workstation::kMember, Workstation::kConnected, kOddCredit);
    fake.time.advance(400'299);
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_EQ(status().lblCliRemainTime, "00:00:00");
    fake.time.advance(1);
    EXPECT_EQ(state(), Workstation::kNoCredit);
    EXPECT_EQ(reports->forcedUpdates, 1);
}

TEST_F(SessionTickTest, validityEndsAnUnlimitedSessionAtItsMillisecond) {
    session().blnUnlimited = true;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 0, 90.25 * kSecond);
    fake.time.advance(90'249);
    EXPECT_EQ(status().lblRemainTime, "Unlimited");
    EXPECT_EQ(state(), Workstation::kConnected);
    fake.time.advance(1);
    EXPECT_EQ(state(), Workstation::kNoCredit);
}

// The server may send any date: one beyond what a count of milliseconds holds still ticks
// once a second, neither every millisecond nor never.
TEST_F(SessionTickTest, validityBeyondAnyCountOfMillisecondsTicksOnceASecond) {
    session().blnUnlimited = true;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 0, 1e20);
    fake.time.advance(1'000);
    EXPECT_EQ(context().timers.tmrSessionStatus->interval(), 1'000);
    session().blnUnlimited = false;
    session().dteCreditTime = 1e20;
    fake.time.advance(2'000);
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_EQ(context().timers.tmrSessionStatus->interval(), 1'000);
}

TEST_F(SessionTickTest, creditAddedMidwayIsShownWithinTheSecond) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, kOddCredit);
    fake.time.advance(10'000);
    session().dteCreditTime += 60 * kSecond; // as a top-up from the server sets it
    fake.time.advance(1'000);
    EXPECT_EQ(status().lblRemainTime, shownFor(400.3 + 60 - 11));
}

TEST_F(SessionTickTest, timeBeforeAChangeOfStateIsChargedToTheStateLeft) {
    workstation().tariff.intRatioDisconCon = 50;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 10 * kMinute);
    const auto millis = [](double days) { return std::llround(days * 86'400'000.0); };
    // Between two ticks of the count-down: the last one was half a second after 10 s.
    fake.time.advance(10'600);
    workstation().setState(Workstation::kDisconnected);
    fake.time.advance(5'000);
    workstation().setState(Workstation::kPaused);
    fake.time.advance(3'000);
    EXPECT_EQ(millis(session().dteConnectedTime), 10'600);
    EXPECT_EQ(millis(session().dteDisconnectedTime), 5'000);
}

TEST_F(SessionTickTest, countDownFollowsAnOffPeakEdgeAsItComes) {
    auto& tariff = workstation().tariff;
    tariff.intOffPeakRatio = 50;
    tariff.dteOffPeakStart = 10.0 / 24.0;
    tariff.dteOffPeakEnd = 12.0 / 24.0;
    fake.time.setLocalDateTime(2026, 12, 8, 9, 59, 50);
    openPrepaid(Workstation::kCard, Workstation::kConnected, kOddCredit);
    // Off-peak from 10:00:00.5 on (whole seconds of the server's clock): 10.5 s at the
    // full rate, then 0.3 s at half, leave 389.65 s that show as twice as much.
    fake.time.advance(10'800);
    EXPECT_EQ(status().lblRemainTime, "00:12:59");
}

TEST_F(SessionClockTest, settingTheClockLocksTheSessionWithoutCountingTheJump) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 60 * kMinute);
    minutes(10);
    fake.time.jumpWallClock(3'600'000);
    // Up to the jump the session ran: its last half second is charged as the lock comes.
    const auto connectedBefore = session().dteConnectedTime;
    EXPECT_EQ(seconds(connectedBefore), 10 * 60);
    EXPECT_EQ(state(), Workstation::kPausedLocked);
    EXPECT_EQ(workstation().intPrevWksnState, Workstation::kConnected);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    EXPECT_TRUE(workstation().blnTimeChanged);
    EXPECT_EQ(reports->dateRequests, 1);

    minutes(2);
    EXPECT_EQ(session().dteConnectedTime, connectedBefore) << "nothing is charged while locked";
    EXPECT_EQ(seconds(session().dteTotalTime), 12 * 60) << "the hour's jump is not counted";

    client().sessionClock().onServerDate(context().now() + 30 * DateSerial::kSecond);
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_FALSE(workstation().blnTimeChanged);
    EXPECT_NEAR(workstation().dteServerOffset * 86'400, 30, 0.01);
    EXPECT_FALSE(context().forms.frmBlock.visible);
    minutes(1);
    EXPECT_EQ(seconds(session().dteConnectedTime), 11 * 60);
}

TEST_F(SessionClockTest, serverDateAfterAClockChangeLeavesTheManagersPauseAlone) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 60 * kMinute);
    client().sessionControl().funPauseSession();
    fake.time.jumpWallClock(3'600'000);
    client().sessionClock().onServerDate(context().now());
    EXPECT_EQ(state(), Workstation::kPaused) << "paused before the change";
    EXPECT_FALSE(workstation().blnTimeChanged);

    client().sessionControl().funUnPauseSession();
    fake.time.jumpWallClock(3'600'000);
    ASSERT_EQ(state(), Workstation::kPausedLocked);
    client().sessionControl().funLockSession(); // the manager locks it while the date is due
    client().sessionClock().onServerDate(context().now());
    EXPECT_EQ(state(), Workstation::kPausedLocked) << "locked by the manager meanwhile";

    client().sessionControl().funUnPauseSession();
    fake.time.jumpWallClock(3'600'000);
    client().sessionControl().funFollowSession();
    client().sessionClock().onServerDate(context().now());
    EXPECT_EQ(state(), Workstation::kPausedFollow);
}

TEST_F(SessionClockTest, serverDateWithoutAClockChangeOnlySetsTheOffset) {
    openPrepaid(Workstation::kCard, Workstation::kConnected, 60 * kMinute);
    client().sessionControl().funPauseSession();
    client().sessionClock().onServerDate(context().now() - 0.5);
    EXPECT_EQ(state(), Workstation::kPaused);
    EXPECT_NEAR(workstation().dteServerOffset, -0.5, 1e-9);
}

TEST_F(SessionClockTest, countersOnlyGrowAndElapsedIsTotalLessNoCredit) {
    workstation().tariff.intRatioDisconCon = 100;
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, 3 * kMinute);
    auto previous = session();
    for (int tick = 0; tick < 5 * 600; ++tick) {
        fake.time.advance(100);
        const auto& now = session();
        ASSERT_GE(now.dteTotalTime, previous.dteTotalTime);
        ASSERT_GE(now.dteDisconnectedTime, previous.dteDisconnectedTime);
        ASSERT_GE(now.dteNoCreditTime, previous.dteNoCreditTime);
        ASSERT_DOUBLE_EQ(now.dteElapsedTime, now.dteTotalTime - now.dteNoCreditTime);
        previous = now;
    }
    EXPECT_EQ(state(), Workstation::kNoCredit);
    EXPECT_EQ(seconds(session().dteNoCreditTime), 120);
}

TEST_F(SessionClockTest, idleTimeBeforeTheSessionIsNotCharged) {
    minutes(45); // the workstation waited at its login screen
    openPrepaid(Workstation::kCard, Workstation::kConnected, 60 * kMinute);
    EXPECT_EQ(seconds(session().dteTotalTime), 0);
    EXPECT_EQ(status().lblRemainTime, "01:00:00");
}

TEST_F(SessionClockTest, postpaidSessionShowsAmountAndTimeToNextIncrement) {
    auto& tariff = workstation().tariff;
    tariff.intBillingMode = 2;
    tariff.dteIncrement = 15 * kMinute;
    tariff.dteMinimumTime = 30 * kMinute;
    tariff.udtRecharges = {{60 * kMinute, 20.0F}, {60 * kMinute, 15.0F}};
    tariff.strCurrencySymbol = "฿";
    tariff.strAmountFormat = "#,##0.00 </currSymbol>";
    openPostpaid(Workstation::kConnected);
    EXPECT_EQ(status().lblAmountDue, "10.00 ฿");

    minutes(70);
    EXPECT_NEAR(session().sngUserBalance, 23.75F, 1e-4);
    EXPECT_EQ(status().lblAmountDue, "23.75 ฿");
    EXPECT_EQ(context().forms.frmSmallStatus.lblAmountDue, "23.75 ฿");
    EXPECT_EQ(status().lblTimeToNextIncrement, "00:05:00");
    EXPECT_EQ(status().lblElapsedTimeSelfService, "01:10:00");
    EXPECT_EQ(status().lblElapsedTimeSelfServiceToolTip, "Workstation used for 1h 10mn 0sec");

    tariff.intBillingMode = 0;
    fake.time.advance(100);
    EXPECT_EQ(status().lblTimeToNextIncrement, "") << "this tariff hides the countdown";
}

TEST_F(SessionClockTest, owedAmountIsAnnouncedOncePerStep) {
    auto& tariff = workstation().tariff;
    tariff.dteIncrement = 60 * kMinute;
    tariff.dteMinimumTime = 60 * kMinute;
    tariff.udtRecharges = {{60 * kMinute, 10.0F}};
    auto& options = workstation().messageOptions;
    options.intWarnOwed = 1;
    options.sngOwedStep = 20.0F;
    openPostpaid(Workstation::kConnected);
    const int beeps = fake.dialogs.beeps;

    minutes(90); // 20 owed
    EXPECT_EQ(fake.dialogs.beeps, beeps + 1);
    EXPECT_EQ(session().lngOwedSteps, 1);
    EXPECT_EQ(context().forms.frmMsgBox.lblText, "You already owe 20.");
    minutes(60); // 30
    EXPECT_EQ(fake.dialogs.beeps, beeps + 1);
    minutes(60); // 40
    EXPECT_EQ(fake.dialogs.beeps, beeps + 2);
    EXPECT_EQ(session().lngOwedSteps, 2);
}

TEST_F(SessionClockTest, owedStepsBeyondTheRangeOfLongAreAnnouncedOnce) {
    auto& tariff = workstation().tariff;
    tariff.dteIncrement = 60 * kMinute;
    tariff.udtRecharges = {{60 * kMinute, 10.0F}};
    auto& options = workstation().messageOptions;
    options.intWarnOwed = 1;
    options.sngOwedStep = 1e-30F; // as the server may send it
    openPostpaid(Workstation::kConnected);
    const int beeps = fake.dialogs.beeps;

    minutes(1);
    EXPECT_EQ(session().lngOwedSteps, std::numeric_limits<long>::max());
    EXPECT_EQ(fake.dialogs.beeps, beeps + 1);
    minutes(60);
    EXPECT_EQ(fake.dialogs.beeps, beeps + 1);
}

TEST_F(SessionClockTest, statusTimerReportsAndWatchesTheHeartBeat) {
    reports->linkUp = true;
    reports->greeted = true;
    workstation().dteLastHeartBeat = context().now();
    fake.time.advance(1'000);
    EXPECT_EQ(reports->statusReports, 2);
    fake.time.advance(29'000);
    EXPECT_EQ(reports->closes, 0);
    fake.time.advance(1'000);
    EXPECT_EQ(reports->closes, 1) << "thirty seconds without a heartbeat";
}

TEST_F(SessionClockTest, lostLinkRemembersTheRemainingTimeOnce) {
    reports->linkUp = true;
    workstation().dteLastHeartBeat = context().now() + 1;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 60 * kMinute);
    minutes(5);
    reports->linkUp = false;
    fake.time.advance(500);
    const auto atDisconnect = session().dteRemainingAtDisconnect;
    EXPECT_EQ(seconds(atDisconnect), 55 * 60);
    EXPECT_TRUE(client().sessionClock().linkLost());
    minutes(1);
    EXPECT_EQ(session().dteRemainingAtDisconnect, atDisconnect);
    EXPECT_GE(reports->snapshots, 120);
}

TEST(SessionClockFormats, timeInEveryMode) {
    const TimeFormat::Units units;
    const double t = (26 * 3600 + 5 * 60 + 9) / 86'400.0;
    const double twoHours = 2 / 24.0;
    EXPECT_EQ(TimeFormat::funFormatTime(t, 0, units), "26:05:09");
    EXPECT_EQ(TimeFormat::funFormatTime(-t, 0, units), "26:05:09");
    EXPECT_EQ(TimeFormat::funFormatTime((2 * 3600 + 5 * 60 + 9) / 86'400.0, 1, units), "2h 5mn");
    EXPECT_EQ(TimeFormat::funFormatTime((2 * 3600 + 5 * 60 + 9) / 86'400.0, 2, units),
              "2h 5mn 9sec");
    EXPECT_EQ(TimeFormat::funFormatTime(twoHours, 3, units), "2h");
    EXPECT_EQ(TimeFormat::funFormatTime(twoHours + 9 / 86'400.0, 3, units), "2h 0mn 9sec");
    EXPECT_EQ(TimeFormat::funFormatTime((2 * 3600 + 5 * 60) / 86'400.0, 4, units), "125");
    EXPECT_EQ(TimeFormat::funFormatTime(2.0 / 1440.0, 4, units), "2");
    EXPECT_EQ(TimeFormat::funFormatTime(9 / 86'400.0, 5, units), "9sec");
    EXPECT_EQ(TimeFormat::funFormatTime(twoHours + 9 / 86'400.0, 5, units), "2h 9sec");
}

} // namespace
} // namespace orvan::test
