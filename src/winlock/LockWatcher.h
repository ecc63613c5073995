#pragma once

#include "EventFd.h"
#include "GrabTarget.h"
#include "XConnection.h"

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace orvan::winlock {

// Keeps a lock in force from a thread of its own, on a connection of its own: raises
// the lock windows whenever another program's window is mapped or restacked (the
// host's own windows stay over them), and every quarter second takes the grabs
// again, reporting once when they had been lost.
class LockWatcher {
public:
    static constexpr std::chrono::milliseconds kRegrabInterval{250};

    // Null, with a report, when it cannot connect.
    static std::unique_ptr<LockWatcher> start(const GrabTarget& target, bool grabHeld);
    // Stops the thread and waits for it.
    ~LockWatcher();
    LockWatcher(const LockWatcher&) = delete;
    LockWatcher& operator=(const LockWatcher&) = delete;

private:
    LockWatcher(std::unique_ptr<XConnection> x, const GrabTarget& target, bool grabHeld);

    void run();
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;
    void handleEvents();
    bool isLockWindow(xcb_window_t window) const;
    void raiseLockWindows(const std::vector<xcb_window_t>& hostWindows) const;
    std::vector<xcb_window_t> hostWindowsShown() const;
    std::vector<xcb_window_t> hostFrames() const;
    std::vector<xcb_window_t> children(xcb_window_t window) const;
    xcb_window_t parent(xcb_window_t window) const;
    void reassertGrab();
    void drainTarget() const;

    std::unique_ptr<XConnection> x_;
    EventFd stop_;
    const GrabTarget target_;
    bool held_;
    std::thread thread_;
};

} // namespace orvan::winlock
