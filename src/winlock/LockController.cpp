#include "LockController.h"

#include "InputGrab.h"
#include "LogSink.h"
#include "Reply.h"

namespace orvan::winlock {

namespace {

// Another client (a menu, a screen saver) may hold a grab for a moment.
constexpr std::chrono::milliseconds kGrabBound{1500};

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_get_geometry_reply_t> geometry{
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &error)};
    std::free(error);
    if (geometry != nullptr) {
        return geometry->root;
    }
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

} // namespace

LockController& LockController::instance() {
    static LockController controller;
    return controller;
}

// At unload the host's connection may already be closed: only the library's own
// connections are touched here (closing them lets go of their grabs).
LockController::~LockController() {
    const std::lock_guard guard(mutex_);
    watcher_.reset();
    idleWatchConnection_.reset();
    ownGrab_.reset();
    control_.reset();
}

std::int32_t LockController::setTaskbarShown(bool shown) {
    const std::lock_guard guard(mutex_);
    return setShown(docks_, shown);
}

std::int32_t LockController::setDesktopShown(bool shown) {
    const std::lock_guard guard(mutex_);
    return setShown(desktops_, shown);
}

std::int32_t LockController::setTaskSwitching(bool enabled) {
    const std::lock_guard guard(mutex_);
    // The host's connection holds the grabs by itself; without a host the library's
    // own connections must be there.
    if (host_ == nullptr && control() == nullptr) {
        return 0;
    }
    if (enabled) {
        // A keymap change still waiting for the lock window is not made after all.
        serverKeys_.cancel();
        unlock();
        return 1;
    }
    return lock() ? 1 : 0;
}

std::int32_t LockController::setServerKeys(bool enabled) {
    const std::lock_guard guard(mutex_);
    XConnection* x = control();
    if (x == nullptr) {
        return 0;
    }
    if (enabled) {
        return serverKeys_.enable(*x) ? 1 : 0;
    }
    // Locked, the watcher makes the change once the lock window is up: the server
    // compiling a keymap first would hold up the window's map for tens of milliseconds.
    if (locked_ && watcher_ != nullptr) {
        if (!serverKeys_.request(*x)) {
            return 0;
        }
        watcher_->wake();
        return 1;
    }
    return serverKeys_.disable(*x) ? 1 : 0;
}

std::int32_t LockController::attachHost(xcb_connection_t* connection,
                                        std::vector<xcb_window_t> windows) {
    const std::lock_guard guard(mutex_);
    if (connection == nullptr) {
        windows.clear();
    }
    if (connection == host_ && windows == hostWindows_) {
        return 1;
    }
    const bool sameHolder = locked_ && connection != nullptr && connection == host_;
    host_ = connection;
    hostWindows_ = std::move(windows);
    if (!locked_) {
        return 1;
    }
    if (sameHolder) {
        return retarget() ? 1 : 0;
    }
    // X lets one client at a time hold a grab: the old holder must let go before the
    // new one can grab, which leaves a moment without a grab. The host avoids this by
    // lending its connection before the first lock.
    LogSink::report("the grabs move to another connection while locked");
    unlock();
    return lock() ? 1 : 0;
}

XConnection* LockController::control() {
    if (control_ != nullptr && control_->alive()) {
        return control_.get();
    }
    if (control_ != nullptr) {
        // A new X server: the window numbers remembered mean other windows there.
        docks_.forget();
        desktops_.forget();
    }
    control_ = XConnection::open();
    return control_.get();
}

std::int32_t LockController::setShown(ShellWindows& windows, bool shown) {
    XConnection* x = control();
    if (x == nullptr) {
        return 0;
    }
    return (shown ? windows.show(*x) : windows.hide(*x)) ? 1 : 0;
}

// Locking again while locked only makes sure the grabs are held.
bool LockController::lock() {
    if (locked_) {
        return InputGrab::takeWithin(target_, kGrabBound).held();
    }
    if (!chooseTarget()) {
        return false;
    }
    locked_ = true;
    return grabAndWatch("could not grab the keyboard and pointer");
}

// The grab moves to the host's new windows on the connection that holds it already: a
// client that grabs again changes its own grab, so it is never let go in between.
bool LockController::retarget() {
    stopWatching();
    if (!chooseTarget()) {
        return false;
    }
    return grabAndWatch("could not move the grabs to the new lock windows");
}

// The watcher keeps taking a grab that could not be had now.
bool LockController::grabAndWatch(const std::string& failure) {
    const auto status = InputGrab::takeWithin(target_, kGrabBound);
    if (!status.held()) {
        LogSink::report(failure + " (" + status.describe() +
                        "): task switching stays possible until the grab is taken");
    }
    watcher_ = LockWatcher::start(watchConnection(), target_, status.held(), serverKeys_);
    return status.held();
}

// The last watch's connection while it still reaches the display; alive() also drops
// what it received after that watch.
std::unique_ptr<XConnection> LockController::watchConnection() {
    if (idleWatchConnection_ != nullptr && idleWatchConnection_->alive()) {
        return std::move(idleWatchConnection_);
    }
    idleWatchConnection_.reset();
    return XConnection::open();
}

void LockController::stopWatching() {
    idleWatchConnection_ = LockWatcher::stop(std::move(watcher_));
}

void LockController::unlock() {
    if (!locked_) {
        return;
    }
    stopWatching();
    if (target_.hostOwned) {
        InputGrab::release(target_.connection);
    }
    ownGrab_.reset();
    target_ = GrabTarget{};
    locked_ = false;
}

bool LockController::chooseTarget() {
    if (host_ != nullptr) {
        if (xcb_connection_has_error(host_) != 0) {
            LogSink::report("the lock windows' connection is broken: nothing was grabbed");
            return false;
        }
        // A host that lent its connection before its lock windows exist: the root holds
        // the grabs until they come.
        const xcb_setup_t* setup = xcb_get_setup(host_);
        const xcb_window_t root = hostWindows_.empty() ? xcb_setup_roots_iterator(setup).data->root
                                                       : rootOf(host_, hostWindows_.front());
        target_ = GrabTarget{host_,
                             hostWindows_.empty() ? root : hostWindows_.front(),
                             root,
                             hostWindows_,
                             true,
                             setup->resource_id_base,
                             setup->resource_id_mask};
        return true;
    }
    ownGrab_ = XConnection::open();
    if (ownGrab_ == nullptr) {
        return false;
    }
    target_ = GrabTarget{ownGrab_->get(), ownGrab_->root(), ownGrab_->root(), {}, false};
    return true;
}

} // namespace orvan::winlock
