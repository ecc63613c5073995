#include "lockdown/WinLock.h"

#include "base/AppError.h"
#include "base/ErrorReporter.h"
#include "model/EngineContext.h"

#include <string>

namespace orvan {

namespace {
// The runtime's number for a library that is there but lacks the function.
constexpr long kEntryPointNotFound = 453;
} // namespace

WinLock::WinLock(EngineContext& context, ShellLock& library)
    : context_(context)
    , library_(library) {}

std::int16_t WinLock::toggle(const char* location, ShellLock::Export which, int flag) {
    return context_.errors.trap(location, OnError::LogOnly, [&]() -> std::int16_t {
        const auto result = library_.call(which, flag != 0 ? -1 : 0);
        if (!result) {
            if (!library_.loaded()) {
                throw AppError(AppError::kFileNotFound, "File not found: lock library");
            }
            throw AppError(kEntryPointNotFound,
                           std::string{"Can't find DLL entry point "} + ShellLock::name(which));
        }
        // The result is declared 16 bits wide: only its low half arrives.
        return static_cast<std::int16_t>(*result);
    });
}

std::int16_t WinLock::funToggleTaskbar(int flag) {
    return toggle("modWinLock.funToggleTaskbarError", ShellLock::Export::Taskbar_Show_Hide, flag);
}

std::int16_t WinLock::funToggleDesktop(int flag) {
    return toggle("modWinLock.funToggleDesktopError", ShellLock::Export::Desktop_Show_Hide, flag);
}

std::int16_t WinLock::funToggleTaskSwitching(int flag) {
    return toggle("modWinLock.funToggleTaskSwitchingError",
                  ShellLock::Export::TaskSwitching_Enable_Disable, flag);
}

std::int16_t WinLock::funToggleCtrlAltDel(int flag) {
    return toggle("modWinLock.funToggleCtrlAltDelError",
                  ShellLock::Export::CtrlAltDel_Enable_Disable, flag);
}

void WinLock::engage() {
    if (context_.flags.blnTestMode) {
        return;
    }
    // Keys first, so that no switch away happens while the shell is being hidden.
    funToggleTaskSwitching(0);
    funToggleCtrlAltDel(0);
    funToggleDesktop(0);
    funToggleTaskbar(0);
    engaged_ = true;
}

bool WinLock::engaged() const {
    return engaged_ || !context_.flags.blnTestMode;
}

void WinLock::release() {
    if (!engaged()) {
        return;
    }
    funToggleTaskSwitching(1);
    funToggleCtrlAltDel(1);
    funToggleDesktop(1);
    funToggleTaskbar(1);
    engaged_ = false;
}

} // namespace orvan
