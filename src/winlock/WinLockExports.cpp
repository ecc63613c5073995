// The library's C interface: the four shell switches the client calls by name
// (-1 or any non-zero value shows or allows, 0 hides or blocks; 1 answers success,
// 0 failure), and two extras through which the host lends its lock windows and
// receives the failure reports.
#include "LockController.h"
#include "LogSink.h"

#include <cstdint>
#include <exception>

#define WINLOCK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using orvan::winlock::LockController;

// No exception may cross into a C caller.
template <typename Call>
std::int32_t guarded(Call call) {
    try {
        return call(LockController::instance());
    } catch (const std::exception& error) {
        orvan::winlock::LogSink::report(error.what());
    } catch (...) {
        orvan::winlock::LogSink::report("unexpected failure");
    }
    return 0;
}

} // namespace

WINLOCK_EXPORT std::int32_t Taskbar_Show_Hide(std::int32_t flag) {
    return guarded([flag](LockController& lock) { return lock.setTaskbarShown(flag != 0); });
}

WINLOCK_EXPORT std::int32_t Desktop_Show_Hide(std::int32_t flag) {
    return guarded([flag](LockController& lock) { return lock.setDesktopShown(flag != 0); });
}

WINLOCK_EXPORT std::int32_t TaskSwitching_Enable_Disable(std::int32_t flag) {
    return guarded([flag](LockController& lock) { return lock.setTaskSwitching(flag != 0); });
}

WINLOCK_EXPORT std::int32_t CtrlAltDel_Enable_Disable(std::int32_t flag) {
    return guarded([flag](LockController& lock) { return lock.setServerKeys(flag != 0); });
}

// The host's xcb connection and its lock windows: the grabs are taken there, on
// windows[0], so that typing still reaches the lock window; all of them are kept on
// top. A connection without windows holds the grabs on the root until windows come;
// lending the connection before the first lock means the grabs never change hands.
// A null connection detaches; call it before closing that connection.
WINLOCK_EXPORT std::int32_t WinLock_SetLockWindows(void* connection, const std::uint32_t* windows,
                                                   std::int32_t count) {
    return guarded([=](LockController& lock) {
        std::vector<xcb_window_t> list;
        if (windows != nullptr && count > 0) {
            list.assign(windows, windows + count);
        }
        return lock.attachHost(static_cast<xcb_connection_t*>(connection), std::move(list));
    });
}

// Null restores the default (standard error).
WINLOCK_EXPORT void WinLock_SetLogSink(void (*sink)(const char* line)) {
    orvan::winlock::LogSink::set(sink);
}
