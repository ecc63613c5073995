#pragma once

#include "GrabTarget.h"
#include "LockWatcher.h"
#include "ServerKeys.h"
#include "ShellWindows.h"
#include "XConnection.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orvan::winlock {

// The state behind the exports: one per process, each call serialised. Every switch
// answers 1 when it took effect and 0 when it could not (no display, no grab).
class LockController {
public:
    static LockController& instance();

    ~LockController();
    LockController(const LockController&) = delete;
    LockController& operator=(const LockController&) = delete;

    std::int32_t setTaskbarShown(bool shown);
    std::int32_t setDesktopShown(bool shown);
    std::int32_t setTaskSwitching(bool enabled);
    std::int32_t setServerKeys(bool enabled);
    std::int32_t attachHost(xcb_connection_t* connection, std::vector<xcb_window_t> windows);

private:
    LockController() = default;

    XConnection* control();
    std::int32_t setShown(ShellWindows& windows, bool shown);
    bool lock();
    bool retarget();
    bool grabAndWatch(const std::string& failure);
    std::unique_ptr<XConnection> watchConnection();
    void stopWatching();
    void unlock();
    bool chooseTarget();

    std::mutex mutex_;
    // For reading properties and (un)mapping shell windows; opened on first use.
    std::unique_ptr<XConnection> control_;
    xcb_connection_t* host_ = nullptr;
    std::vector<xcb_window_t> hostWindows_;
    bool locked_ = false;
    // Grabs without a host: a connection of the library's own holds them.
    std::unique_ptr<XConnection> ownGrab_;
    GrabTarget target_;
    // Before the watcher, which uses it: destroyed after it.
    ServerKeys serverKeys_;
    // The watcher's connection between locks.
    std::unique_ptr<XConnection> idleWatchConnection_;
    std::unique_ptr<LockWatcher> watcher_;
    ShellWindows docks_{"_NET_WM_WINDOW_TYPE_DOCK"};
    ShellWindows desktops_{"_NET_WM_WINDOW_TYPE_DESKTOP"};
};

} // namespace orvan::winlock
