#include "billing/AmountDue.h"

#include "base/DateSerial.h"
#include "model/EngineContext.h"
#include "support/ClientFixture.h"

#include <cmath>

namespace orvan::test {
namespace {

constexpr double kMin = DateSerial::kMinute;
constexpr double kHour = DateSerial::kHour;
constexpr long kNoCountdown = -1;

// Whole seconds, or kNoCountdown for exactly AmountDue::kNever.
long secondsToNext(double timeToNext) {
    return timeToNext == AmountDue::kNever ? kNoCountdown : std::lround(timeToNext * 86'400.0);
}

// Increment 15 min; the rows are (minutes, price).
Tariff tariffOf(int billingMode, int rechargeOptim, double minimum, std::vector<Recharge> rows) {
    Tariff t;
    t.intBillingMode = billingMode;
    t.intRechargeOptim = rechargeOptim;
    t.dteIncrement = 15 * kMin;
    t.dteMinimumTime = minimum;
    for (auto& row : rows) {
        row.duration *= kMin;
    }
    t.udtRecharges = std::move(rows);
    return t;
}
void timeBased(Tariff& t) {
    t = tariffOf(2, 0, 30 * kMin, {{60, 20}, {60, 15}});
}
void noMinimum(Tariff& t) {
    t = tariffOf(2, 0, 0, {{60, 20}, {60, 15}});
}
void simple(Tariff& t) {
    t = tariffOf(1, 2, 0, {{30, 10}, {60, 18}});
}
void autoOptim(Tariff& t) {
    t = tariffOf(1, 1, 0, {{30, 10}, {60, 15}});
}

class AmountDueTest : public ClientFixture {
protected:
    AmountDueTest() { context().workstation.intWksnState = Workstation::kConnected; }
    Tariff& tariff() { return context().workstation.tariff; }

    AmountDue due{context()};
};

TEST_F(AmountDueTest, amountAndTimeToNextIncrement) {
    struct Case {
        void (*tariff)(Tariff&);
        double minutes;
        double amount;
        long secondsToNext;
    };
    const std::vector<Case> cases{
        {timeBased, 20, 10, 600},
        {timeBased, 70, 23.75, 300}, // 20 + 1 x 15/4
        {timeBased, 0, 10, 1800},
        {timeBased, 30, 10, 0},   // the minimum
        {timeBased, 31, 15, 840}, // 3 increments of tier 1
        {timeBased, 45, 15, 900}, // on a boundary: not 4
        {timeBased, 60, 20, 900},
        {timeBased, 61, 23.75, 840}, // tier 2's rate
        {timeBased, 75, 23.75, 900},
        {timeBased, 120, 35, 900},
        {timeBased, 140, 42.5, 600}, // beyond the table the last rate continues
        {noMinimum, 0, 0, 900},
        {noMinimum, 1, 5, 840},
        {simple, 45, 18, 900},
        {simple, 70, 22.5, 300}, // 18 + 1 x 18/4
        {simple, 0, 10, 1800},
        {simple, 30, 10, 0},   // still the first recharge
        {simple, 60, 18, 900}, // exactly the longest
        {simple, 75, 22.5, 900},
        {simple, 76, 27, 840},
        {autoOptim, 50, 15, kNoCountdown}, // 2 x 30 min (20) cost more than one 60
        {autoOptim, 0, 0, kNoCountdown},
        {autoOptim, 30, 10, kNoCountdown},
        {autoOptim, 60, 15, kNoCountdown},
        {autoOptim, 90, 25, kNoCountdown},
        {autoOptim, 100, 30, kNoCountdown}, // 60 + 2 x 30 replaced by a second 60
        {autoOptim, 210, 55, kNoCountdown}, // 3 x 60 + 30, no 30 for a rounding crumb
    };
    for (const auto& c : cases) {
        c.tariff(tariff());
        double next = 99;
        EXPECT_NEAR(due.funBalanceDue(c.minutes * kMin, next), c.amount, 1e-4) << c.minutes;
        EXPECT_EQ(secondsToNext(next), c.secondsToNext) << c.minutes << " min";
    }
    EXPECT_FALSE(logContains("funBalanceDue"));
}

TEST_F(AmountDueTest, offPeakWindowExcludesItsBounds) {
    struct Case {
        double start, end;
        double time;
        bool offPeak;
    };
    const double wireEight = 0.333333333333333; // 08:00 as the server writes it
    const std::vector<Case> cases{
        {22 * kHour, 6 * kHour, 23.5 * kHour, true},
        {22 * kHour, 6 * kHour, 359 * kMin, true},
        {22 * kHour, 6 * kHour, 0, true},
        {22 * kHour, 6 * kHour, 6 * kHour, false},
        {22 * kHour, 6 * kHour, 22 * kHour, false},
        {22 * kHour, 6 * kHour, 12 * kHour, false},
        {12 * kHour, 14 * kHour, 13 * kHour, true},
        {12 * kHour, 14 * kHour, 12 * kHour, false},
        {12 * kHour, 14 * kHour, 14 * kHour, false},
        {wireEight, 14 * kHour, 8 * kHour, false},
        {wireEight, 14 * kHour, 8 * kHour + DateSerial::kSecond, true},
    };
    for (const auto& c : cases) {
        tariff().dteOffPeakStart = c.start;
        tariff().dteOffPeakEnd = c.end;
        EXPECT_EQ(due.funIsOffPeak(c.time), c.offPeak) << c.time * 24 << " h";
    }
}

TEST_F(AmountDueTest, timeToNextRunsAtTheRateOfTheState) {
    struct Case {
        int state, ratioDisconCon, offPeakRatio, localHour, serverOffsetHours;
        long secondsToNext; // of 5 billable minutes
    };
    const std::vector<Case> cases{
        {Workstation::kDisconnected, 50, 100, 12, 0, 600},
        {Workstation::kDisconnected, 0, 100, 12, 0, kNoCountdown}, // charged at 0 %
        {Workstation::kConnected, 100, 50, 23, 0, 600},
        {Workstation::kFreeSession, 100, 50, 23, 0, 600},
        {Workstation::kConnected, 100, 50, 12, 0, 300}, // outside the window
        {Workstation::kConnected, 100, 50, 21, 1, 600}, // the server's time counts
        {Workstation::kConnected, 100, 50, 22, -1, 300},
        {Workstation::kConnected, 100, 0, 23, 0, kNoCountdown}, // charged at 0 %
        {Workstation::kPaused, 50, 50, 23, 0, 300},
    };
    timeBased(tariff());
    tariff().dteOffPeakStart = 22 * kHour;
    tariff().dteOffPeakEnd = 6 * kHour;
    for (const auto& c : cases) {
        context().workstation.intWksnState = c.state;
        tariff().intRatioDisconCon = c.ratioDisconCon;
        tariff().intOffPeakRatio = c.offPeakRatio;
        context().workstation.dteServerOffset = c.serverOffsetHours * kHour;
        fake.time.setLocalDateTime(2026, 3, 5, c.localHour, 30, 0);
        double next = 0;
        EXPECT_NEAR(due.funBalanceDue(70 * kMin, next), 23.75, 1e-4);
        EXPECT_EQ(secondsToNext(next), c.secondsToNext)
            << "state " << c.state << ", " << c.localHour;
    }
}

TEST_F(AmountDueTest, uncomputableTariffOwesNothingAndIsLoggedOncePerFailure) {
    struct Case {
        void (*tariff)(Tariff&);
        void (*breakIt)(Tariff&);
        std::string firstLine;
    };
    const auto empty = [](Tariff& t) { t.udtRecharges.clear(); };
    const auto noIncrement = [](Tariff& t) { t.dteIncrement = 0; };
    const std::vector<Case> cases{
        {timeBased, empty, "TimeBasedError: #9 | Subscript out of range"},
        {timeBased, noIncrement, "TimeBasedError: #11 | Division by zero"},
        {simple, empty, "RechargeBasedSimpleError: #9 | Subscript out of range"},
        {simple, noIncrement, "RechargeBasedSimpleError: #11 | Division by zero"},
        {autoOptim, empty, "RechargeBasedAutoOptimError: #9 | Subscript out of range"},
        {autoOptim, [](Tariff& t) { t.udtRecharges[0].duration = 0; },
         "RechargeBasedAutoOptimError: #11 | Division by zero"},
    };
    const auto lines = [this] { return logMessages("/program/orvanclient.log"); };
    double next = 0;
    for (const auto& c : cases) {
        c.tariff(tariff());
        c.breakIt(tariff());
        const auto before = lines().size();
        for (int tick = 0; tick < 50; ++tick) {
            EXPECT_EQ(due.funBalanceDue(70 * kMin, next), 0.0F);
            EXPECT_EQ(next, AmountDue::kNever);
        }
        const auto after = lines();
        ASSERT_EQ(after.size(), before + 2) << c.firstLine; // the variant's and the caller's
        EXPECT_EQ(after[before], "modFunctions.funBalanceDue" + c.firstLine + " | OrvanClient");
        EXPECT_EQ(after[before + 1].rfind("modFunctions.funBalanceDueError: #4646", 0), 0U);
    }

    // A success, or a new tariff failing alike, logs the failure again.
    timeBased(tariff());
    noIncrement(tariff());
    due.funBalanceDue(70 * kMin, next);
    EXPECT_EQ(lines().size(), 14U);
    EXPECT_NEAR(due.funBalanceDue(20 * kMin, next), 10, 1e-4) << "the minimum needs no increment";
    due.funBalanceDue(70 * kMin, next);
    EXPECT_EQ(lines().size(), 16U);
    tariff().intOffPeakRatio = 50;
    due.funBalanceDue(70 * kMin, next);
    EXPECT_EQ(lines().size(), 18U);
}

} // namespace
} // namespace orvan::test
