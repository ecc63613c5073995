#include "lockscreen/LockScreenTimers.h"

#include "base/DateText.h"
#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/TimeFormat.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "lockdown/AppControl.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "platform/SystemInfo.h"
#include "platform/Timers.h"
#include "roles/SessionMoves.h"

#include <algorithm>
#include <cmath>

namespace orvan {
namespace {

constexpr double kOneSecond = 1.0 / 86'400.0;

// Windows the closer leaves alone: the shell's own, this program's and the status
// windows ("สถานะ" is "status").
bool spared(const std::string& title) {
    if (title == "Program Manager") {
        return true;
    }
    const auto lower = Utf8::lowerAscii(title);
    for (const char* name : {"orvan", "rovadodud", "moniter"}) {
        if (lower.find(name) != std::string::npos) {
            return true;
        }
    }
    return title.find("สถานะ") != std::string::npos;
}

// Whole seconds left, so that a day fraction stepped down by 1/86400 lands on 0.
long long secondsLeft(double duration) {
    return std::llround(duration * 86'400.0);
}

} // namespace

LockScreenTimers::LockScreenTimers(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts)
    , tmrCloseSession_(make(kCountdownMillis, &LockScreenTimers::tmrCloseSession_Timer))
    , tmrUnblock_(make(kCountdownMillis, &LockScreenTimers::tmrUnblock_Timer))
    , tmrNoServCnx_(make(kBlinkMillis, &LockScreenTimers::tmrNoServCnx_Timer))
    , Timer1_(make(kWindowCloserMillis, &LockScreenTimers::Timer1_Timer))
    , tmrAppKiller_(make(kAppKillerMillis, &LockScreenTimers::tmrAppKiller_Timer)) {}

std::unique_ptr<Timer> LockScreenTimers::make(std::int64_t millis,
                                              void (LockScreenTimers::*tick)()) {
    auto timer = context_.platform.timers.createTimer([this, tick] { (this->*tick)(); });
    timer->setInterval(millis);
    return timer;
}

void LockScreenTimers::restart(Timer& timer) {
    timer.setEnabled(false);
    timer.setEnabled(true);
}

void LockScreenTimers::onActivate() {
    killTicks_ = 0;
    restart(*Timer1_);
    restart(*tmrAppKiller_);
}

void LockScreenTimers::startCloseSession() {
    context_.workstation.dteCloseSessionLeft = context_.constants.wksnSessionExpiryTime;
    restart(*tmrCloseSession_);
}

void LockScreenTimers::stopCloseSession() {
    tmrCloseSession_->setEnabled(false);
}

void LockScreenTimers::startUnblock() {
    restart(*tmrUnblock_);
}

void LockScreenTimers::setBlinking(bool blinking) {
    tmrNoServCnx_->setEnabled(blinking);
}

void LockScreenTimers::tmrCloseSession_Timer() {
    context_.errors.trap("frmBlock.tmrCloseSession_TimerError", OnError::LogOnly, [&] {
        auto& left = context_.workstation.dteCloseSessionLeft;
        left -= kOneSecond;
        auto& block = context_.forms.frmBlock;
        block.lblCloseSessionWarningText = context_.localization.funLoadResString(10219) +
                                           TimeFormat::funFormatTime(std::max(left, 0.0), 0, {});
        if (secondsLeft(left) > 0) {
            return;
        }
        // The password dialog would otherwise outlive the session it was opened over.
        context_.forms.frmPasswd.unload();
        parts_.session.funStopSession(false);
        tmrCloseSession_->setEnabled(false);
        parts_.lockScreen.refresh();
    });
}

void LockScreenTimers::tmrUnblock_Timer() {
    context_.errors.trap("frmBlock.tmrUnblock_TimerError", OnError::LogOnly, [&] {
        auto& left = context_.workstation.dteLockOutLeft;
        left -= kOneSecond;
        // Compared as whole seconds: a lock-out of an hour or more must not end at
        // the first full hour left.
        if (secondsLeft(left) > 0) {
            return;
        }
        tmrUnblock_->setEnabled(false);
        parts_.session.subActivate();
        parts_.lockScreen.refresh();
    });
}

void LockScreenTimers::tmrNoServCnx_Timer() {
    const bool ok = context_.errors.trap("frmBlock.tmrNoServCnx_TimerError", OnError::LogOnly, [&] {
        blinkOn_ = !blinkOn_;
        context_.forms.frmBlock.imgCnxIndicator = blinkOn_ ? 2 : 1;
        return true;
    });
    if (!ok) {
        tmrNoServCnx_->setEnabled(false);
    }
}

void LockScreenTimers::Timer1_Timer() {
    Timer1_->setEnabled(false);
    context_.errors.trap("frmBlock.Timer1_TimerError", OnError::LogOnly, [&] { closeWindows(); });
}

void LockScreenTimers::closeWindows() {
    auto& block = context_.forms.frmBlock;
    auto& desktop = context_.platform.desktop;
    block.List2.clear();
    for (const auto& window : desktop.applicationWindows()) {
        if (!window.title.empty()) {
            block.List2.push_back({window.title, window.window});
        }
    }
    const DateText dates(context_.platform.system.shortDatePattern(),
                         context_.platform.system.longTimePattern());
    for (const auto& entry : block.List2) {
        if (spared(entry.title)) {
            context_.log.subWriteLog(std::string{" "} + " * Cancal * " + entry.title,
                                     killLogPath());
            continue;
        }
        context_.log.subWriteLog(entry.title + " " + dates.generalDate(context_.now()) +
                                     " *  kill * " + std::to_string(entry.handle),
                                 killLogPath());
        desktop.requestClose(entry.handle);
    }
}

void LockScreenTimers::tmrAppKiller_Timer() {
    const bool ok = context_.errors.trap("frmBlock.tmrAppKiller_TimerError", OnError::LogOnly, [&] {
        auto& block = context_.forms.frmBlock;
        ++killTicks_;
        block.lbkill = std::to_string(killTicks_);
        if (killTicks_ < kKillTicks) {
            return true;
        }
        killTicks_ = 0;
        tmrAppKiller_->setEnabled(false);
        for (const auto& name : block.List1) {
            parts_.appControl.killByName(name);
        }
        return true;
    });
    if (!ok) {
        tmrAppKiller_->setEnabled(false);
    }
}

std::string LockScreenTimers::killLogPath() const {
    return context_.platform.system.programFolder() + "/logkillfile.log";
}

} // namespace orvan
