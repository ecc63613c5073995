#pragma once

#include "platform/Timer.h"

#include <memory>

namespace orvan {

// The periodic timers of the main window that drive the program.
struct MainTimers {
    std::unique_ptr<Timer> tmrActivateClient; // one shot: starts the connection watchdog
    std::unique_ptr<Timer> tmrWksnStatus;     // 500 ms: status report and watchdogs
    std::unique_ptr<Timer> tmrSessionStatus;  // 100 ms to 1 s: the session clock
    std::unique_ptr<Timer> tmrSrvCnxStatus;   // 500 ms: connection watchdog
    std::unique_ptr<Timer> tmrAppKiller;      // 10 s: forbidden applications
    std::unique_ptr<Timer> tmrURLspy;         // 500 ms: visited addresses
    std::unique_ptr<Timer> tmrActiveTrayIcon; // 1 s: tray icon animation
    std::unique_ptr<Timer> tmrHideStatus;     // 60 s: the full status window gives way

    void disableAll() {
        for (auto* timer : {&tmrActivateClient, &tmrWksnStatus, &tmrSessionStatus, &tmrSrvCnxStatus,
                            &tmrAppKiller, &tmrURLspy, &tmrActiveTrayIcon, &tmrHideStatus}) {
            if (*timer) {
                (*timer)->setEnabled(false);
            }
        }
    }
};

} // namespace orvan
