#pragma once

#include "base/ErrorReporter.h"
#include "model/Tariff.h"

#include <optional>
#include <string>

namespace orvan {

struct EngineContext;

// What a session paid afterwards owes so far, under the tariff the server sent, and
// how long until that amount grows. The session clock asks every 100 ms.
class AmountDue {
public:
    // The time to next increment when there is none to count down: the applicable
    // share is 0 % (state 5 with intRatioDisconCon = 0, or off-peak with
    // intOffPeakRatio = 0, so the billable time stands still), the auto-optimised
    // tariff (which has no increments), or a failed computation. The status window
    // shows no countdown for a negative value.
    static constexpr double kNever = -1.0;

    explicit AmountDue(EngineContext& context);

    // The amount due for `billable` time (day fraction). `timeToNext` receives the wall
    // time until the next increment at the current state's rate, or kNever. Never
    // throws: a tariff that cannot be computed gives 0, logged once until the failure
    // changes, a computation succeeds or the tariff is replaced.
    float funBalanceDue(double billable, double& timeToNext);
    // Whether a time of day lies inside the off-peak window, bounds excluded; a start
    // later than the end means the window runs across midnight. Compared in whole
    // seconds.
    bool funIsOffPeak(double timeOfDay) const;

private:
    float funBalanceDueTimeBased(double billable, double& timeToNext);
    float funBalanceDueRechargeBasedSimple(double billable, double& timeToNext);
    float funBalanceDueRechargeBasedAutoOptim(double billable, double& timeToNext);

    // Turns billable time to the next increment into wall time for the current state.
    double scaledTimeToNext(double timeToNext) const;
    // Time of day at the server, in whole seconds.
    double serverTimeOfDay() const;

    // ErrorReporter::trap, except that a failure repeating the previous call's is
    // passed on or dropped without another log line.
    template <class Body>
    float trapOnce(const std::string& location, OnError mode, Body&& body);
    // Remembers an original failure; true when it is news for the log.
    bool isNewFailure(const AppError& error, const std::string& location);

    EngineContext& context_;
    std::optional<std::string> lastFailure_; // cleared by a successful computation
    Tariff failedTariff_;                    // the tariff lastFailure_ happened under
    bool failureIsNew_ = true;               // decided by the innermost trap of a call
};

} // namespace orvan
