#include "lockdown/WinLock.h"

#include "base/AppError.h"
#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/Timers.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

#include <string>

namespace orvan {

namespace {

// The runtime's number for a library that is there but lacks the function.
constexpr long kEntryPointNotFound = 453;

struct Switch {
    const char* location;
    ShellLock::Export which;
};

// In the order a lock takes them: keys first, so that no switch away happens while
// the shell is being hidden.
constexpr Switch kSwitchOrder[] = {
    {"modWinLock.funToggleTaskSwitchingError", ShellLock::Export::TaskSwitching_Enable_Disable},
    {"modWinLock.funToggleCtrlAltDelError", ShellLock::Export::CtrlAltDel_Enable_Disable},
    {"modWinLock.funToggleDesktopError", ShellLock::Export::Desktop_Show_Hide},
    {"modWinLock.funToggleTaskbarError", ShellLock::Export::Taskbar_Show_Hide},
};

constexpr std::size_t kTaskSwitching = 0;
constexpr std::size_t kCtrlAltDel = 1;
constexpr std::size_t kDesktop = 2;
constexpr std::size_t kTaskbar = 3;

} // namespace

WinLock::WinLock(EngineContext& context, ShellLock& library)
    : context_(context)
    , library_(library)
    , sender_(context.log, context.platform.codec)
    , retry_(context.platform.timers.createTimer([this] { onRetry(); })) {}

WinLock::~WinLock() = default;

std::int16_t WinLock::toggle(std::size_t index, int flag) {
    const auto& step = kSwitchOrder[index];
    // Asked to allow: an earlier block still being retried must not override it.
    if (flag != 0) {
        pending_[index] = false;
    }
    return context_.errors.trap(step.location, OnError::LogOnly, [&]() -> std::int16_t {
        const auto result = library_.call(step.which, flag != 0 ? -1 : 0);
        if (!result) {
            if (!library_.loaded()) {
                throw AppError(AppError::kFileNotFound, "File not found: lock library");
            }
            throw AppError(kEntryPointNotFound, std::string{"Can't find DLL entry point "} +
                                                    ShellLock::name(step.which));
        }
        // The result is declared 16 bits wide: only its low half arrives.
        return static_cast<std::int16_t>(*result);
    });
}

std::int16_t WinLock::funToggleTaskbar(int flag) {
    return toggle(kTaskbar, flag);
}

std::int16_t WinLock::funToggleDesktop(int flag) {
    return toggle(kDesktop, flag);
}

std::int16_t WinLock::funToggleTaskSwitching(int flag) {
    return toggle(kTaskSwitching, flag);
}

std::int16_t WinLock::funToggleCtrlAltDel(int flag) {
    return toggle(kCtrlAltDel, flag);
}

void WinLock::engage() {
    if (context_.flags.blnTestMode) {
        return;
    }
    engaged_ = true;
    pending_.fill(true);
    if (!takeOnce(failedAttempts_ == 0)) {
        scheduleRetry();
    }
}

// Makes the switches still pending; true once none is left. Only the first try of a
// lock reports each failure, so that retrying does not fill the log.
bool WinLock::takeOnce(bool firstTry) {
    for (std::size_t index = 0; index < kSwitches; ++index) {
        if (!pending_[index]) {
            continue;
        }
        const bool taken = firstTry ? toggle(index, 0) != 0
                                    : library_.call(kSwitchOrder[index].which, 0).value_or(0) != 0;
        pending_[index] = !taken;
    }
    if (complete()) {
        if (failedAttempts_ > 0) {
            context_.log.subWriteLog("Shell lock taken after " +
                                     std::to_string(failedAttempts_ + 1) + " attempts");
        }
        stopRetrying();
        return true;
    }
    ++failedAttempts_;
    if (firstTry) {
        std::string failed;
        for (std::size_t index = 0; index < kSwitches; ++index) {
            if (pending_[index]) {
                failed += std::string{" "} + ShellLock::name(kSwitchOrder[index].which);
            }
        }
        context_.log.subWriteLog("Shell lock not taken (" + failed.substr(1) +
                                 "): trying again while the lock screen is up");
    }
    return false;
}

void WinLock::scheduleRetry() {
    if (failedAttempts_ >= kAttemptsBeforeNotice) {
        tellManager();
    }
    const auto interval =
        failedAttempts_ >= kAttemptsBeforeNotice ? kSlowRetryMillis : kRetryMillis;
    if (retry_->enabled() && retry_->interval() == interval) {
        return;
    }
    retry_->setEnabled(false);
    retry_->setInterval(interval);
    retry_->setEnabled(true);
}

void WinLock::onRetry() {
    context_.errors.trap("modWinLock.tmrRetry_TimerError", OnError::LogOnly, [&] {
        if (!engaged_ || context_.flags.blnTestMode) {
            stopRetrying();
            return;
        }
        if (!takeOnce(false)) {
            scheduleRetry();
        }
    });
}

// Once per lock, when it reaches the server; in the default language: the manager
// reads it.
void WinLock::tellManager() {
    if (managerTold_) {
        return;
    }
    const auto notice =
        context_.localization.funLoadResStringDefault(10370) + context_.settings.strWksnName;
    managerTold_ = sender_.funSendData(context_.platform.wskCli,
                                       WireFormat::message(tags::kMessageSend, notice), false);
    if (managerTold_) {
        context_.log.subWriteLog("Shell lock not taken: the manager was told");
    }
}

void WinLock::stopRetrying() {
    retry_->setEnabled(false);
    failedAttempts_ = 0;
    managerTold_ = false;
}

bool WinLock::engaged() const {
    return engaged_ || !context_.flags.blnTestMode;
}

bool WinLock::complete() const {
    for (const bool pending : pending_) {
        if (pending) {
            return false;
        }
    }
    return true;
}

void WinLock::release() {
    if (!engaged()) {
        return;
    }
    stopRetrying();
    funToggleTaskSwitching(1);
    funToggleCtrlAltDel(1);
    funToggleDesktop(1);
    funToggleTaskbar(1);
    engaged_ = false;
}

} // namespace orvan
