#include "billing/AmountDue.h"

#include "base/AppError.h"
#include "base/DateSerial.h"
#include "model/EngineContext.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvan {
namespace {

const std::string kBalanceDue = "modFunctions.funBalanceDueError";
const std::string kTimeBased = "modFunctions.funBalanceDueTimeBasedError";
const std::string kRechargeSimple = "modFunctions.funBalanceDueRechargeBasedSimpleError";
const std::string kRechargeAutoOptim = "modFunctions.funBalanceDueRechargeBasedAutoOptimError";

constexpr double kSecondsPerDay = 86'400.0;
// How close to a whole number a quotient of times must be to count as that number:
// a millionth of a second on a 15-minute increment.
constexpr double kBoundaryNoise = 1e-9;

double quotient(double dividend, double divisor) {
    if (divisor == 0) {
        throw AppError(AppError::kDivisionByZero, "Division by zero");
    }
    return dividend / divisor;
}

// x / unit. Day fractions of whole minutes are not exact binary values (75 min − 60 min
// comes out a hair under 15 min), so a quotient that is a whole number but for that
// noise is taken as the whole number: a time on an increment boundary must count as
// that many increments, neither one more nor a hair less.
double units(double x, double unit) {
    const double exact = quotient(x, unit);
    const double whole = std::round(exact);
    return std::abs(exact - whole) < kBoundaryNoise ? whole : exact;
}

// The smallest whole number of increments not below x.
double startedIncrements(double x, double increment) {
    return -std::floor(-units(x, increment));
}

double timeIntoIncrement(double x, double increment) {
    return x - std::floor(units(x, increment)) * increment;
}

const std::vector<Recharge>& rowsOf(const Tariff& tariff) {
    if (tariff.udtRecharges.empty()) {
        throw AppError(AppError::kSubscriptOutOfRange, "Subscript out of range");
    }
    return tariff.udtRecharges;
}

long long wholeSeconds(double dayFraction) {
    return std::llround(dayFraction * kSecondsPerDay);
}

// Whether two tariffs bill alike (the currency texts do not count).
bool sameBilling(const Tariff& a, const Tariff& b) {
    const auto sameRow = [](const Recharge& x, const Recharge& y) {
        return x.duration == y.duration && x.price == y.price;
    };
    return a.intBillingMode == b.intBillingMode && a.dteIncrement == b.dteIncrement &&
           a.dteMinimumTime == b.dteMinimumTime && a.intRechargeOptim == b.intRechargeOptim &&
           a.intRatioDisconCon == b.intRatioDisconCon && a.intOffPeakRatio == b.intOffPeakRatio &&
           a.dteOffPeakStart == b.dteOffPeakStart && a.dteOffPeakEnd == b.dteOffPeakEnd &&
           std::equal(a.udtRecharges.begin(), a.udtRecharges.end(), b.udtRecharges.begin(),
                      b.udtRecharges.end(), sameRow);
}

} // namespace

AmountDue::AmountDue(EngineContext& context)
    : context_(context) {}

template <class Body>
float AmountDue::trapOnce(const std::string& location, OnError mode, Body&& body) {
    std::optional<AppError> pending;
    try {
        return body();
    } catch (const std::exception& error) {
        pending.emplace(AppError::fromException(error));
    }
    // The innermost trap judges the original failure; the traps above it follow.
    if (pending->number() != AppError::kPassedOn) {
        failureIsNew_ = isNewFailure(*pending, location);
    }
    if (failureIsNew_) {
        context_.errors.report(*pending, location, mode); // throws when passing on
    } else if (mode == OnError::PassOn) {
        throw AppError(AppError::kPassedOn, pending->description(), location);
    }
    return 0.0F;
}

bool AmountDue::isNewFailure(const AppError& error, const std::string& location) {
    auto failure = location + " #" + std::to_string(error.number()) + " " + error.description();
    const auto& tariff = context_.workstation.tariff;
    if (lastFailure_ == failure && sameBilling(failedTariff_, tariff)) {
        return false;
    }
    lastFailure_ = std::move(failure);
    failedTariff_ = tariff;
    return true;
}

float AmountDue::funBalanceDue(double billable, double& timeToNext) {
    // Stays so when a variant fails: the variants set it only once they have succeeded.
    timeToNext = kNever;
    return trapOnce(kBalanceDue, OnError::LogOnly, [&] {
        const auto& tariff = context_.workstation.tariff;
        float amount = 0;
        if (tariff.intBillingMode != 1) {
            amount = funBalanceDueTimeBased(billable, timeToNext);
        } else if (tariff.intRechargeOptim == 1) {
            amount = funBalanceDueRechargeBasedAutoOptim(billable, timeToNext);
        } else {
            amount = funBalanceDueRechargeBasedSimple(billable, timeToNext);
        }
        lastFailure_.reset();
        return amount;
    });
}

// Each row is a tier charged in full in turn; the last tier's rate continues.
float AmountDue::funBalanceDueTimeBased(double billable, double& timeToNext) {
    return trapOnce(kTimeBased, OnError::PassOn, [&] {
        const auto& tariff = context_.workstation.tariff;
        const auto& rows = rowsOf(tariff);
        const double increment = tariff.dteIncrement;
        const double minimum = tariff.dteMinimumTime;
        double rest = billable;
        float amount = 0;
        double next = 0;
        // A zero minimum time means no minimum, not a division by zero.
        if (minimum > 0 && rest <= minimum) {
            // The first tier's price scaled to the minimum time.
            amount = static_cast<float>(
                quotient(rows.front().price, quotient(rows.front().duration, minimum)));
            next = minimum - rest;
        } else {
            std::size_t i = 0;
            while (i < rows.size() && rest > rows[i].duration) {
                amount += rows[i].price;
                rest -= rows[i].duration;
                ++i;
            }
            const auto& tier = rows[std::min(i, rows.size() - 1)];
            if (rest != 0) {
                amount =
                    static_cast<float>(amount + startedIncrements(rest, increment) * tier.price /
                                                    quotient(tier.duration, increment));
                next = increment - timeIntoIncrement(rest, increment);
            } else {
                // Nothing used and no minimum: the first increment is a whole one away.
                next = increment;
            }
        }
        timeToNext = scaledTimeToNext(next);
        return amount;
    });
}

// The shortest recharge covering the time; beyond the longest, that one plus whole
// increments at its rate.
float AmountDue::funBalanceDueRechargeBasedSimple(double billable, double& timeToNext) {
    return trapOnce(kRechargeSimple, OnError::PassOn, [&] {
        const auto& tariff = context_.workstation.tariff;
        const auto& rows = rowsOf(tariff);
        const double increment = tariff.dteIncrement;
        const auto& longest = rows.back();
        float amount = 0;
        double next = 0;
        if (billable >= longest.duration) {
            amount = longest.price;
            const double beyond = billable - longest.duration;
            if (beyond != 0) {
                amount = static_cast<float>(amount + startedIncrements(beyond, increment) *
                                                         longest.price /
                                                         quotient(longest.duration, increment));
                next = increment - timeIntoIncrement(beyond, increment);
            } else {
                // Exactly the longest recharge: as on any increment boundary, the next
                // increment is a whole one away (scaled below like any other).
                next = increment;
            }
        } else {
            // Found at the latest on the longest row, which covers the time.
            const auto covering = std::find_if(rows.begin(), rows.end(), [&](const Recharge& row) {
                return billable <= row.duration;
            });
            amount = covering->price;
            next = covering->duration - billable;
        }
        timeToNext = scaledTimeToNext(next);
        return amount;
    });
}

// The cheapest set of recharges covering the time. It has no increments, so it leaves
// the time to next at kNever.
float AmountDue::funBalanceDueRechargeBasedAutoOptim(double billable, double& /*timeToNext*/) {
    return trapOnce(kRechargeAutoOptim, OnError::PassOn, [&] {
        const auto& rows = rowsOf(context_.workstation.tariff);
        // As many of each recharge as fit, longest first.
        std::vector<double> count(rows.size(), 0.0);
        double rest = billable;
        for (std::size_t i = rows.size(); i-- > 0;) {
            count[i] = std::floor(units(rest, rows[i].duration));
            rest -= count[i] * rows[i].duration;
        }
        // What is left is covered by one more of the shortest.
        if (units(rest, rows.front().duration) > 0) {
            count.front() += 1;
        }
        float total = 0;
        for (std::size_t j = rows.size(); j-- > 0;) {
            total = static_cast<float>(total + count[j] * rows[j].price);
            double shorter = 0;
            for (std::size_t k = 0; k < j; ++k) {
                shorter += count[k] * rows[k].price;
            }
            // One more of this recharge is cheaper than all the shorter ones together.
            if (shorter > rows[j].price) {
                total += rows[j].price;
                break;
            }
        }
        return total;
    });
}

double AmountDue::scaledTimeToNext(double timeToNext) const {
    const auto& workstation = context_.workstation;
    int percent = 0;
    switch (workstation.intWksnState) {
    case Workstation::kDisconnected:
        percent = workstation.tariff.intRatioDisconCon;
        break;
    case Workstation::kConnected:
    case Workstation::kFreeSession:
        if (!funIsOffPeak(serverTimeOfDay())) {
            return timeToNext;
        }
        percent = workstation.tariff.intOffPeakRatio;
        break;
    default:
        return timeToNext;
    }
    // At 0 % the billable time stands still: the next increment never comes.
    if (percent <= 0) {
        return kNever;
    }
    return timeToNext / (percent / 100.0);
}

double AmountDue::serverTimeOfDay() const {
    const double serial = context_.now() + context_.workstation.dteServerOffset;
    // 23:59:59.6 reads as 00:00:00, as the clock's "hh:mm:ss" text does.
    const auto seconds = wholeSeconds(DateSerial::timeOfDay(serial)) % 86'400;
    return static_cast<double>(seconds) / kSecondsPerDay;
}

bool AmountDue::funIsOffPeak(double timeOfDay) const {
    const auto& tariff = context_.workstation.tariff;
    // The bounds arrive as 15-digit decimals (08:00 is a hair below a third of a day):
    // whole seconds keep them exclusive.
    const auto time = wholeSeconds(timeOfDay);
    const auto start = wholeSeconds(tariff.dteOffPeakStart);
    const auto end = wholeSeconds(tariff.dteOffPeakEnd);
    if (start > end) {
        return time > start || time < end;
    }
    return start < time && time < end;
}

} // namespace orvan
