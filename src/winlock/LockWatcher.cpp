#include "LockWatcher.h"

#include "InputGrab.h"
#include "LogSink.h"
#include "Reply.h"
#include "WindowProperty.h"

#include <algorithm>
#include <cstdlib>
#include <poll.h>

namespace orvan::winlock {

namespace {

using Clock = std::chrono::steady_clock;

xcb_window_t eventWindow(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7f) {
    case XCB_MAP_NOTIFY:
        return reinterpret_cast<const xcb_map_notify_event_t&>(event).window;
    case XCB_CONFIGURE_NOTIFY:
        return reinterpret_cast<const xcb_configure_notify_event_t&>(event).window;
    case XCB_CIRCULATE_NOTIFY:
        return reinterpret_cast<const xcb_circulate_notify_event_t&>(event).window;
    default:
        return XCB_NONE;
    }
}

} // namespace

std::unique_ptr<LockWatcher> LockWatcher::start(std::unique_ptr<XConnection> x,
                                                const GrabTarget& target, bool grabHeld,
                                                ServerKeys& keys) {
    if (x == nullptr) {
        LogSink::report("the lock is not watched: lost grabs and covering windows go unnoticed");
        return nullptr;
    }
    std::unique_ptr<LockWatcher> watcher{new LockWatcher(std::move(x), target, grabHeld, keys)};
    // Without the descriptor that stops it, the thread could never be joined.
    if (!watcher->stop_.valid() || !watcher->wake_.valid()) {
        LogSink::report("the lock is not watched: no event descriptor");
        return nullptr;
    }
    watcher->thread_ = std::thread(&LockWatcher::run, watcher.get());
    return watcher;
}

LockWatcher::LockWatcher(std::unique_ptr<XConnection> x, const GrabTarget& target, bool grabHeld,
                         ServerKeys& keys)
    : x_(std::move(x))
    , target_(target)
    , held_(grabHeld)
    , keys_(keys)
    , keysBound_(Clock::now() + kKeysBound)
    , keysNextTry_(Clock::now()) {
    watchEvents();
}

// Focus events in the ungrab mode tell of a grab that ended; the lock window's unmap,
// destroy or reparent tells of a grab X let go with it.
void LockWatcher::watchEvents() const {
    const std::uint32_t rootEvents =
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_FOCUS_CHANGE;
    xcb_change_window_attributes(x_->get(), x_->root(), XCB_CW_EVENT_MASK, &rootEvents);
    // Its own map wakes the watcher even when a window manager put it in a frame.
    if (target_.grabWindow != target_.root) {
        const std::uint32_t own = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_FOCUS_CHANGE;
        xcb_change_window_attributes(x_->get(), target_.grabWindow, XCB_CW_EVENT_MASK, &own);
    }
    x_->sync();
}

std::unique_ptr<XConnection> LockWatcher::stop(std::unique_ptr<LockWatcher> watcher) {
    if (watcher == nullptr) {
        return nullptr;
    }
    if (watcher->thread_.joinable()) {
        watcher->stop_.signal();
        watcher->thread_.join();
    }
    watcher->unwatchEvents();
    return std::move(watcher->x_);
}

// Events already on their way are read and dropped when the connection is next used.
void LockWatcher::unwatchEvents() const {
    const std::uint32_t none = 0;
    xcb_change_window_attributes(x_->get(), x_->root(), XCB_CW_EVENT_MASK, &none);
    if (target_.grabWindow != target_.root) {
        xcb_change_window_attributes(x_->get(), target_.grabWindow, XCB_CW_EVENT_MASK, &none);
    }
    x_->sync();
}

LockWatcher::~LockWatcher() {
    if (thread_.joinable()) {
        stop_.signal();
        thread_.join();
    }
}

void LockWatcher::run() {
    // Whatever was mapped before the watch began.
    raiseLockWindows(hostWindowsShown());
    auto nextCheck = Clock::now() + kSafetyPoll;
    for (;;) {
        const bool grabInDoubt = handleEvents();
        if (x_->broken()) {
            LogSink::report("lost the connection to the X display: the lock is no longer watched");
            return;
        }
        drainTarget();
        if (grabInDoubt || Clock::now() >= nextCheck) {
            reassertGrab();
            nextCheck = Clock::now() + kSafetyPoll;
        }
        const auto keysDue = changeKeysOnceUp();
        if (!waitUntil(std::min(nextCheck, keysDue))) {
            return;
        }
        wake_.clear();
    }
}

// False when asked to stop.
bool LockWatcher::waitUntil(Clock::time_point deadline) const {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // A grab connection of the library's own is read as its events come.
    const int own = target_.hostOwned ? -1 : xcb_get_file_descriptor(target_.connection);
    pollfd fds[] = {{xcb_get_file_descriptor(x_->get()), POLLIN, 0},
                    {stop_.fd(), POLLIN, 0},
                    {wake_.fd(), POLLIN, 0},
                    {own, POLLIN, 0}};
    poll(fds, 4, static_cast<int>(std::max<decltype(left)>(left, 0)));
    return (fds[1].revents & POLLIN) == 0;
}

bool LockWatcher::handleEvents() {
    std::vector<xcb_window_t> moved;
    bool grabInDoubt = false;
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(x_->get())}) {
        grabInDoubt |= putsGrabInDoubt(*event);
        const xcb_window_t window = eventWindow(*event);
        if (window != XCB_NONE && !isLockWindow(window) && !target_.ownedByHost(window)) {
            moved.push_back(window);
        }
    }
    if (moved.empty()) {
        return grabInDoubt;
    }
    // Another program's window mapped or restacked may now lie above the lock windows.
    // The host's own windows belong over them (a message box, the language list), and
    // so do the frames a window manager put around them.
    const auto hostWindows = hostWindowsShown();
    const bool covered = std::any_of(moved.begin(), moved.end(), [&](xcb_window_t window) {
        return std::find(hostWindows.begin(), hostWindows.end(), window) == hostWindows.end();
    });
    if (covered) {
        raiseLockWindows(hostWindows);
    }
    return grabInDoubt;
}

// A grab that ended (another client's, or the host's popup menu closing) moves the
// focus in the ungrab mode; one that began is left alone, since it may be the host's
// popup taking the grab over. A grab window that stops being viewable ends its grab,
// and one that comes up should hold the grab instead of the root.
bool LockWatcher::putsGrabInDoubt(const xcb_generic_event_t& event) const {
    switch (event.response_type & 0x7f) {
    case XCB_FOCUS_IN:
    case XCB_FOCUS_OUT:
        return reinterpret_cast<const xcb_focus_in_event_t&>(event).mode == XCB_NOTIFY_MODE_UNGRAB;
    case XCB_UNMAP_NOTIFY:
    case XCB_DESTROY_NOTIFY:
    case XCB_REPARENT_NOTIFY:
        return true;
    case XCB_MAP_NOTIFY:
        return reinterpret_cast<const xcb_map_notify_event_t&>(event).window == target_.grabWindow;
    default:
        return false;
    }
}

// The grabs already hold every chord the server hands to clients; the keymap change
// only adds the server's own, and waits until the window is up and painted.
Clock::time_point LockWatcher::changeKeysOnceUp() {
    const auto now = Clock::now();
    if (now < keysNextTry_) {
        return keysNextTry_;
    }
    if (!keys_.requested()) {
        return Clock::time_point::max();
    }
    if (!upSince_ && held_ && lockWindowUp()) {
        upSince_ = now;
    }
    const auto due = std::min(upSince_ ? *upSince_ + kKeysSettle : keysBound_, keysBound_);
    if (now < due) {
        return due;
    }
    if (!keys_.applyRequested(*x_)) {
        keysNextTry_ = Clock::now() + kKeysRetry;
        return keysNextTry_;
    }
    return Clock::time_point::max();
}

// A host that lent no window yet is about to; a grab of the library's own has none.
bool LockWatcher::lockWindowUp() const {
    if (target_.grabWindow == target_.root) {
        return !target_.hostOwned;
    }
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_get_window_attributes_reply_t> attributes{xcb_get_window_attributes_reply(
        x_->get(), xcb_get_window_attributes(x_->get(), target_.grabWindow), &error)};
    std::free(error);
    return attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool LockWatcher::isLockWindow(xcb_window_t window) const {
    const auto& windows = target_.lockWindows;
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

void LockWatcher::raiseLockWindows(const std::vector<xcb_window_t>& hostWindows) const {
    if (target_.lockWindows.empty()) {
        return;
    }
    // One batch, with no round trip in between that would leave the host's windows
    // under the lock windows for a moment.
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    for (const auto window : target_.lockWindows) {
        xcb_configure_window(x_->get(), window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    }
    // Then the host's other windows over them again, in the order they had.
    for (const auto window : hostWindows) {
        xcb_configure_window(x_->get(), window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    }
    xcb_flush(x_->get());
}

// The children of the root that show the host's windows other than the lock windows,
// mapped, bottom first: its own top-level windows and the window manager's frames
// around them.
std::vector<xcb_window_t> LockWatcher::hostWindowsShown() const {
    if (!target_.hostOwned) {
        return {};
    }
    const auto frames = hostFrames();
    std::vector<xcb_window_t> candidates;
    for (const auto window : children(x_->root())) {
        const bool own = target_.ownedByHost(window) && !isLockWindow(window);
        if (own || std::find(frames.begin(), frames.end(), window) != frames.end()) {
            candidates.push_back(window);
        }
    }
    xcb_connection_t* c = x_->get();
    std::vector<xcb_get_window_attributes_cookie_t> states;
    for (const auto window : candidates) {
        states.push_back(xcb_get_window_attributes(c, window));
    }
    std::vector<xcb_window_t> shown;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        xcb_generic_error_t* error = nullptr;
        const Reply<xcb_get_window_attributes_reply_t> attributes{
            xcb_get_window_attributes_reply(c, states[i], &error)};
        std::free(error);
        if (attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
            shown.push_back(candidates[i]);
        }
    }
    return shown;
}

// A window manager reparents the windows it manages into frames of its own, and lists
// the managed windows on the root: each of the host's is followed up to the root.
std::vector<xcb_window_t> LockWatcher::hostFrames() const {
    std::vector<xcb_window_t> frames;
    const auto managed = WindowProperty::values32(
        x_->get(), WindowProperty::request(x_->get(), x_->root(), x_->atom("_NET_CLIENT_LIST"),
                                           XCB_ATOM_WINDOW));
    for (const auto client : managed) {
        if (!target_.ownedByHost(client) || isLockWindow(client)) {
            continue;
        }
        xcb_window_t window = client;
        bool reachedRoot = false;
        // Bounded: a tree that changes meanwhile must not keep this going.
        for (int depth = 0; depth < 8 && !reachedRoot; ++depth) {
            const xcb_window_t up = parent(window);
            if (up == XCB_NONE) {
                break;
            }
            reachedRoot = up == x_->root();
            window = reachedRoot ? window : up;
        }
        if (reachedRoot && window != client) {
            frames.push_back(window);
        }
    }
    return frames;
}

std::vector<xcb_window_t> LockWatcher::children(xcb_window_t window) const {
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_query_tree_reply_t> tree{
        xcb_query_tree_reply(x_->get(), xcb_query_tree(x_->get(), window), &error)};
    std::free(error);
    if (tree == nullptr) {
        return {};
    }
    const xcb_window_t* list = xcb_query_tree_children(tree.get());
    return {list, list + xcb_query_tree_children_length(tree.get())};
}

xcb_window_t LockWatcher::parent(xcb_window_t window) const {
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_query_tree_reply_t> tree{
        xcb_query_tree_reply(x_->get(), xcb_query_tree(x_->get(), window), &error)};
    std::free(error);
    return tree == nullptr ? XCB_NONE : tree->parent;
}

// Taking a grab the grabbing client already holds simply succeeds, so this is safe
// to repeat; the probe beforehand tells whether it had been lost.
void LockWatcher::reassertGrab() {
    if (xcb_connection_has_error(target_.connection) != 0) {
        return;
    }
    const bool wasFree = held_ && InputGrab::anyFree(x_->get(), x_->root());
    const auto status = InputGrab::takeOnce(target_);
    if (status.held()) {
        if (!held_) {
            LogSink::report("keyboard and pointer grabs taken after all");
        } else if (wasFree) {
            LogSink::report("a keyboard or pointer grab was lost and has been taken again");
        }
        held_ = true;
    } else if (held_) {
        LogSink::report("a grab was lost and cannot be taken again: " + status.describe());
        held_ = false;
    }
}

// A connection nobody else reads would pile up the grabbed key events.
void LockWatcher::drainTarget() const {
    if (target_.hostOwned) {
        return;
    }
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(target_.connection)}) {
    }
}

} // namespace orvan::winlock
