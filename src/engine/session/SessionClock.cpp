#include "session/SessionClock.h"

#include "base/AmountFormat.h"
#include "base/DateSerial.h"
#include "base/DateText.h"
#include "base/ErrorReporter.h"
#include "base/TimeFormat.h"
#include "billing/AmountDue.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/Clock.h"
#include "platform/SystemInfo.h"
#include "roles/StatusReporting.h"
#include "session/SessionControl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orvan {
namespace {

constexpr double kMillisPerDay = 86'400'000.0;
// Counters add up 100 ms steps in day fractions; what is left below half a millisecond
// is rounding, not credit.
constexpr double kHalfMillisecond = 0.5 / kMillisPerDay;
// 2^63, exactly a float: every float below it converts to long.
constexpr float kLongRange = 9'223'372'036'854'775'808.0F;

long long wholeSeconds(double days) {
    return std::llround(days * 86'400.0);
}

// Ticks at least this often while a session runs: the link's state, the lock and the
// status windows follow within a second whatever else changes the session.
constexpr std::int64_t kLongestTickMillis = 1'000;
// How often figures that do not run at one second a second are followed.
constexpr std::int64_t kFollowTickMillis = 100;
// Day fractions carry rounding far below this; a deadline is not put off by it.
constexpr double kMillisTolerance = 1e-3;

// Milliseconds until `seconds` from now, not earlier, and never beyond the longest tick: a
// date the server sent may lie further ahead than a count of milliseconds can hold.
std::int64_t millisUntil(double seconds) {
    const double millis = std::ceil(seconds * 1'000.0 - kMillisTolerance);
    if (!(millis < static_cast<double>(kLongestTickMillis))) {
        return kLongestTickMillis;
    }
    return millis > 0 ? static_cast<std::int64_t>(millis) : 0;
}

// Milliseconds until a count-down of `apparent` seconds shows another whole second:
// just past the half second it rounds at, or at its end when it shows zero.
std::int64_t millisToNextShownSecond(double apparent) {
    const auto shown = std::llround(apparent);
    if (shown <= 0) {
        return millisUntil(apparent);
    }
    const double untilRounding = apparent - (static_cast<double>(shown) - 0.5);
    return static_cast<std::int64_t>(std::floor(untilRounding * 1'000.0)) + 1;
}

} // namespace

SessionClock::SessionClock(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {
    context_.workstation.beforeStateChange = [this] { chargeUntilNow(); };
}

void SessionClock::chargeUntilNow() {
    // Ticks come up to a second apart: what ran since the last one is charged to the
    // state being left, or a switch of usage mode or a pause just before a tick would
    // charge the whole interval at the new state's rate.
    const auto& timer = context_.timers.tmrSessionStatus;
    if (timer != nullptr && timer->enabled()) {
        chargeStep(stepSinceLastTick(), serverTimeOfDay());
    }
}

std::string SessionClock::funFormatTime(double duration, int mode) const {
    auto& texts = context_.localization;
    return TimeFormat::funFormatTime(duration, mode,
                                     {texts.funLoadResString(10001), texts.funLoadResString(10002),
                                      texts.funLoadResString(10003)});
}

std::string SessionClock::funFormatAmount(float amount) const {
    const auto& tariff = context_.workstation.tariff;
    return AmountFormat{context_.platform.system.decimalSeparator()}.funFormatAmount(
        amount, tariff.strAmountFormat, tariff.strCurrencySymbol,
        context_.constants.genCurrencySymb);
}

void SessionClock::restartCounting() {
    context_.workstation.dteLastTick = context_.now();
    lastTickBootMillis_ = context_.platform.clock.millisSinceBoot();
    lastApparentSeconds_ = -1;
    countingDown_ = false;
    shown_ = Shown{};
}

double SessionClock::stepSinceLastTick() {
    // Elapsed time comes from the boot clock: setting the wall clock can neither add
    // nor remove credit, even if its event were missed.
    const auto boot = context_.platform.clock.millisSinceBoot();
    const auto step = boot > lastTickBootMillis_ ? boot - lastTickBootMillis_ : 0;
    lastTickBootMillis_ = boot;
    context_.workstation.dteLastTick = context_.now();
    return static_cast<double>(step) / kMillisPerDay;
}

double SessionClock::serverTimeOfDay() const {
    const double server = context_.now() + context_.workstation.dteServerOffset;
    return static_cast<double>(wholeSeconds(DateSerial::timeOfDay(server))) / 86'400.0;
}

void SessionClock::chargeStep(double step, double timeOfDay) {
    auto& s = context_.workstation.session;
    s.dteTotalTime += step;
    switch (context_.workstation.intWksnState) {
    case 5:
        s.dteDisconnectedTime += step;
        break;
    case 6:
    case 7:
        (parts_.amountDue.funIsOffPeak(timeOfDay) ? s.dteCnxTimeOffPeak : s.dteConnectedTime) +=
            step;
        break;
    case 8:
        s.dteNoCreditTime += step;
        break;
    default:
        break;
    }
    s.dteElapsedTime = s.dteTotalTime - s.dteNoCreditTime;
}

void SessionClock::forgetShownOnNewTexts() {
    const auto& language = context_.localization.currentLanguage();
    const auto& tariff = context_.workstation.tariff;
    if (language != shown_.language || tariff.strAmountFormat != shown_.amountFormat ||
        tariff.strCurrencySymbol != shown_.currency) {
        shown_ = Shown{};
        shown_.language = language;
        shown_.amountFormat = tariff.strAmountFormat;
        shown_.currency = tariff.strCurrencySymbol;
    }
}

void SessionClock::tmrSessionStatus_Timer() {
    context_.errors.trap("frmMain.tmrSessionStatus_TimerError", OnError::ShowUnlessLocked, [&] {
        try {
            const double step = stepSinceLastTick();
            const double timeOfDay = serverTimeOfDay();
            chargeStep(step, timeOfDay);
            forgetShownOnNewTexts();
            switch (context_.workstation.session.intSessionType) {
            case 1:
                tickPostpaid();
                break;
            case 2:
            case 4:
            case 5:
                tickPrepaid(timeOfDay);
                break;
            default:
                break;
            }
            planNextTick();
        } catch (...) {
            context_.timers.tmrSessionStatus->setEnabled(false);
            throw;
        }
    });
}

void SessionClock::tickPostpaid() {
    auto& w = context_.workstation;
    auto& s = w.session;
    const auto& tariff = w.tariff;
    const double billable = s.dteConnectedTime +
                            tariff.intOffPeakRatio / 100.0 * s.dteCnxTimeOffPeak +
                            tariff.intRatioDisconCon / 100.0 * s.dteDisconnectedTime;
    double timeToNext = -1;
    s.sngUserBalance = parts_.amountDue.funBalanceDue(billable, timeToNext);

    const double used = s.dteConnectedTime + s.dteCnxTimeOffPeak + s.dteDisconnectedTime;
    const bool showNext =
        (tariff.intRechargeOptim == 2 || tariff.intBillingMode == 2) && timeToNext >= 0;
    auto& forms = context_.forms;
    if (wholeSeconds(used) != shown_.usedSeconds) {
        shown_.usedSeconds = wholeSeconds(used);
        forms.frmStatus.lblElapsedTimeSelfService = forms.frmSmallStatus.lblElapsedTimeSelfService =
            funFormatTime(used);
    }
    if (wholeSeconds(s.dteElapsedTime) != shown_.elapsedSeconds) {
        shown_.elapsedSeconds = wholeSeconds(s.dteElapsedTime);
        forms.frmStatus.lblElapsedTimeSelfServiceToolTip =
            forms.frmSmallStatus.lblElapsedTimeSelfServiceToolTip =
                context_.localization.funLoadResString(10356, funFormatTime(s.dteElapsedTime, 2));
    }
    if (s.sngUserBalance != shown_.balance) {
        shown_.balance = s.sngUserBalance;
        forms.frmStatus.lblAmountDue = forms.frmSmallStatus.lblAmountDue =
            funFormatAmount(s.sngUserBalance);
    }
    const auto nextSeconds = showNext ? wholeSeconds(timeToNext) : -1;
    if (nextSeconds != shown_.nextSeconds) {
        shown_.nextSeconds = nextSeconds;
        forms.frmStatus.lblTimeToNextIncrement = forms.frmSmallStatus.lblTimeToNextIncrement =
            showNext ? funFormatTime(timeToNext) : std::string{};
    }

    const auto& options = w.messageOptions;
    if (options.intWarnOwed == 1 && options.sngOwedStep > 0 &&
        s.sngUserBalance >= options.sngOwedStep) {
        // The server may send a step so small (or bill so much) that the count leaves the
        // range of long: it then stays at the largest, announced once.
        const float fitting = std::floor(s.sngUserBalance / options.sngOwedStep);
        const auto steps =
            fitting < kLongRange ? static_cast<long>(fitting) : std::numeric_limits<long>::max();
        if (steps != s.lngOwedSteps) {
            s.lngOwedSteps = steps;
            parts_.msgBox.subShowMsgBox(context_.localization.funLoadResString(10200) +
                                            forms.frmStatus.lblAmountDue +
                                            context_.localization.funLoadResString(10201),
                                        0, 1, nullptr, nullptr, 0, 0);
        }
    }
}

void SessionClock::tickPrepaid(double timeOfDay) {
    auto& w = context_.workstation;
    auto& s = w.session;
    const auto& tariff = w.tariff;
    const double now = context_.now();
    bool limited = false;
    if (!s.blnUnlimited) {
        if (w.intWksnState != 8) {
            s.dteRemainingTime = s.dteCreditTime - s.dteConnectedTime -
                                 tariff.intOffPeakRatio / 100.0 * s.dteCnxTimeOffPeak -
                                 tariff.intRatioDisconCon / 100.0 * s.dteDisconnectedTime;
        }
        const int state =
            w.intWksnState >= 9 && w.intWksnState <= 11 ? w.intPrevWksnState : w.intWksnState;
        if (state == 5) {
            limited = tariff.intRatioDisconCon != 0;
            s.dteRemTimeAparent = limited ? s.dteRemainingTime / (tariff.intRatioDisconCon / 100.0)
                                          : s.dteRemainingTime;
        } else if (state == 6) {
            // Off-peak time at a ratio of 0 costs nothing; outside the window the credit
            // runs down as usual and stays limited.
            const bool offPeak = parts_.amountDue.funIsOffPeak(timeOfDay);
            limited = !offPeak || tariff.intOffPeakRatio != 0;
            s.dteRemTimeAparent = offPeak && tariff.intOffPeakRatio != 0
                                      ? s.dteRemainingTime / (tariff.intOffPeakRatio / 100.0)
                                      : s.dteRemainingTime;
        }
    }
    if ((s.intSessionType == 2 || s.intSessionType == 4) &&
        s.dteValidUntil < now + s.dteRemTimeAparent) {
        s.dteRemTimeAparent = s.dteValidUntil - now;
    }
    if (w.intWksnState == 5 || w.intWksnState == 6) {
        warnBeforeTheEnd(limited ? s.dteRemTimeAparent : -1);
        const bool creditGone = !s.blnUnlimited && s.dteRemainingTime < kHalfMillisecond;
        const bool expired = (s.intSessionType == 2 || s.intSessionType == 4) &&
                             s.dteValidUntil < now + kHalfMillisecond;
        if (creditGone || expired) {
            s.dteRemainingTime = 0;
            s.dteRemTimeAparent = 0;
            parts_.reports.subForceCardUpdate();
            w.setState(Workstation::kNoCredit);
            parts_.lockScreen.refresh();
        }
    }
    countingDown_ = limited;
    showRemaining(limited);
}

void SessionClock::planNextTick() {
    context_.timers.tmrSessionStatus->setInterval(millisToNextChange());
}

std::int64_t SessionClock::millisToNextChange() const {
    const auto& w = context_.workstation;
    const auto& s = w.session;
    const bool prepaid = s.intSessionType == 2 || s.intSessionType == 4 || s.intSessionType == 5;
    if (s.intSessionType == 1 || (prepaid && nearOffPeakEdge())) {
        // The amount due, and a count-down crossing an off-peak edge, move at rates of
        // their own: they are followed as the window timer did.
        return kFollowTickMillis;
    }
    if (!prepaid || (w.intWksnState != 5 && w.intWksnState != 6)) {
        return kLongestTickMillis;
    }
    // The apparent time runs down one second a second, whatever the rate; validity ends
    // at its own moment even when the time is unlimited.
    std::int64_t wait = kLongestTickMillis;
    if (countingDown_) {
        wait = std::min(wait, millisToNextShownSecond(s.dteRemTimeAparent * 86'400.0));
    }
    if (s.intSessionType == 2 || s.intSessionType == 4) {
        wait = std::min(wait, millisUntil((s.dteValidUntil - context_.now()) * 86'400.0));
    }
    return std::max<std::int64_t>(wait, 1);
}

bool SessionClock::nearOffPeakEdge() const {
    const auto& tariff = context_.workstation.tariff;
    const auto start = wholeSeconds(tariff.dteOffPeakStart);
    const auto end = wholeSeconds(tariff.dteOffPeakEnd);
    if (start == end) {
        return false;
    }
    const double server = context_.now() + context_.workstation.dteServerOffset;
    const double now = DateSerial::timeOfDay(server) * 86'400.0;
    constexpr double kDay = 86'400.0;
    constexpr double kNear = 2.0;
    for (const auto edge : {start, end}) {
        const double ahead = std::fmod(static_cast<double>(edge) - now + kDay, kDay);
        if (ahead < kNear || ahead > kDay - kNear) {
            return true;
        }
    }
    return false;
}

void SessionClock::warnBeforeTheEnd(double apparent) {
    const auto& options = context_.workstation.messageOptions;
    const auto seconds = apparent < 0 ? -1 : wholeSeconds(apparent);
    const auto previous = lastApparentSeconds_;
    lastApparentSeconds_ = seconds;
    if (options.intWarnRemaining != 1 || seconds < 0) {
        return;
    }
    // The display passing "00:MM:00": shown once, even when a late tick skips that second.
    for (const int minutes : {options.intWarnMinutes1, options.intWarnMinutes2}) {
        const long long threshold = minutes * 60LL;
        if (minutes <= 0 || minutes >= 60 || seconds > threshold) {
            continue;
        }
        if (previous > threshold || (previous < 0 && seconds == threshold)) {
            parts_.msgBox.subShowMsgBox(context_.localization.funLoadResString(10198) +
                                            std::to_string(seconds / 60 % 60) +
                                            context_.localization.funLoadResString(10199),
                                        0, 1, nullptr, nullptr, 0, 0);
        }
    }
}

void SessionClock::showRemaining(bool limited) {
    const auto& s = context_.workstation.session;
    auto& full = context_.forms.frmStatus;
    // -1 stands for "Unlimited".
    const auto seconds = limited ? wholeSeconds(s.dteRemTimeAparent) : -1;
    if (seconds != shown_.remainingSeconds) {
        shown_.remainingSeconds = seconds;
        const auto remaining = limited ? funFormatTime(s.dteRemTimeAparent)
                                       : context_.localization.funLoadResString(10358);
        full.lblRemainTime = full.lblCliRemainTime = full.lblSelfServRemainTime = remaining;
        context_.forms.frmSmallStatus.lblRemainTime = remaining;
    }
    if (s.dteValidUntil != shown_.validUntil) {
        shown_.validUntil = s.dteValidUntil;
        const DateText dates{context_.platform.system.shortDatePattern(),
                             context_.platform.system.longTimePattern()};
        full.lblValidDate = full.lblCliValidDate = dates.shortDate(s.dteValidUntil);
        full.lblValidTime = full.lblCliValidTime = dates.longTime(s.dteValidUntil);
    }
}

void SessionClock::tmrWksnStatus_Timer() {
    context_.errors.trap("frmMain.tmrWksnStatus_TimerError", OnError::ShowUnlessLocked, [&] {
        try {
            auto& w = context_.workstation;
            auto& reports = parts_.reports;
            if (reports.connected()) {
                linkLost_ = false;
                if (reports.greetingAccepted()) {
                    reports.subUpdateServer();
                }
                if (w.session.intSessionType == 1) {
                    reports.saveSerializedSession();
                }
                const double limit = context_.constants.wksnHeartBeatCheck * DateSerial::kSecond;
                if (w.dteLastHeartBeat + limit < context_.now()) {
                    reports.closeConnection();
                }
                return;
            }
            if (!linkLost_) {
                linkLost_ = true;
                w.session.dteRemainingAtDisconnect = w.session.dteRemainingTime;
            }
            reports.saveSerializedSession();
        } catch (...) {
            context_.timers.tmrWksnStatus->setEnabled(false);
            throw;
        }
    });
}

void SessionClock::tmrActivateClient_Timer() {
    context_.link.blnConnecting = true;
    context_.timers.tmrSrvCnxStatus->setEnabled(true);
    context_.timers.tmrActivateClient->setEnabled(false);
}

void SessionClock::sysInfo_TimeChanged() {
    context_.errors.trap("frmMain.sysInfo_TimeChangedError", OnError::ShowUnlessLocked, [&] {
        auto& w = context_.workstation;
        if (w.sessionExists()) {
            if (w.intWksnState >= 5 && w.intWksnState <= 7) {
                parts_.sessionControl.funLockSession();
                w.blnLockedByTimeChange = true;
                parts_.lockScreen.refresh();
            }
            w.dteLastTick = context_.now();
            w.blnTimeChanged = true;
        }
        w.dteLastHeartBeat = context_.now();
        parts_.reports.requestServerDate();
    });
}

void SessionClock::onServerDate(double serverDate) {
    auto& w = context_.workstation;
    w.dteServerOffset = serverDate - context_.now();
    if (w.blnTimeChanged) {
        // Only the lock the clock change put on: a pause the manager set, before or
        // after the change, stays until the manager lifts it.
        if (w.blnLockedByTimeChange && w.intWksnState == Workstation::kPausedLocked) {
            parts_.sessionControl.funUnPauseSession();
        }
        w.blnLockedByTimeChange = false;
        w.blnTimeChanged = false;
    }
}

} // namespace orvan
