#pragma once

#include "EventFd.h"
#include "GrabTarget.h"
#include "ServerKeys.h"
#include "XConnection.h"

#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace orvan::winlock {

// Keeps a lock in force from a thread of its own, on a connection of its own: raises
// the lock windows whenever another program's window is mapped or restacked (the
// host's own windows stay over them), and takes the grabs again whenever X tells of a
// grab that ended (focus events in the ungrab mode) or of the grab window going or
// coming, reporting once when they had been lost. A slow poll covers what X
// does not tell: a grab let go while the focus was on the grab window. It also makes
// the keymap change asked of `keys` once the lock window is viewable and the grabs are
// held, so that the X server maps the window before it compiles the keymap.
class LockWatcher {
public:
    static constexpr std::chrono::milliseconds kSafetyPoll{5000};
    // A lock window that does not come up within this leaves the server's chords on no
    // longer: the keymap is changed anyway.
    static constexpr std::chrono::milliseconds kKeysBound{1000};
    // A keymap change that failed is tried again after this.
    static constexpr std::chrono::milliseconds kKeysRetry{1000};
    // Once the lock window is up, the server first gets this long to serve its first
    // paint: while it compiles the keymap, no client is served, the lock screen's
    // painter included.
    static constexpr std::chrono::milliseconds kKeysSettle{100};

    // Watches on `x`, a connection no other thread uses. Null, with a report, when
    // there is none. `keys` must outlive the watcher.
    static std::unique_ptr<LockWatcher> start(std::unique_ptr<XConnection> x,
                                              const GrabTarget& target, bool grabHeld,
                                              ServerKeys& keys);
    // Ends the watch and hands its connection back, its events no longer asked for,
    // for the next watch: connecting anew took a lock half a millisecond. Null when
    // there was no watcher.
    static std::unique_ptr<XConnection> stop(std::unique_ptr<LockWatcher> watcher);
    // Stops the thread and waits for it.
    ~LockWatcher();
    LockWatcher(const LockWatcher&) = delete;
    LockWatcher& operator=(const LockWatcher&) = delete;

    // Looks at `keys` again: a change was just asked for.
    void wake() const { wake_.signal(); }

private:
    LockWatcher(std::unique_ptr<XConnection> x, const GrabTarget& target, bool grabHeld,
                ServerKeys& keys);

    void run();
    // When it wants to be called again at the latest.
    std::chrono::steady_clock::time_point changeKeysOnceUp();
    bool lockWindowUp() const;
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;
    // True when an event puts the grabs in doubt.
    bool handleEvents();
    bool putsGrabInDoubt(const xcb_generic_event_t& event) const;
    void watchEvents() const;
    void unwatchEvents() const;
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
    EventFd wake_;
    const GrabTarget target_;
    bool held_;
    ServerKeys& keys_;
    const std::chrono::steady_clock::time_point keysBound_;
    std::chrono::steady_clock::time_point keysNextTry_;
    std::optional<std::chrono::steady_clock::time_point> upSince_;
    std::thread thread_;
};

} // namespace orvan::winlock
