#include "LockWatcher.h"

#include "InputGrab.h"
#include "LogSink.h"
#include "Reply.h"

#include <algorithm>
#include <cstdlib>
#include <poll.h>
#include <utility>

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

std::unique_ptr<LockWatcher> LockWatcher::start(const GrabTarget& target, bool grabHeld) {
    auto x = XConnection::open();
    if (x == nullptr) {
        LogSink::report("the lock is not watched: lost grabs and covering windows go unnoticed");
        return nullptr;
    }
    std::unique_ptr<LockWatcher> watcher{new LockWatcher(std::move(x), target, grabHeld)};
    // Without the descriptor that stops it, the thread could never be joined.
    if (!watcher->stop_.valid()) {
        LogSink::report("the lock is not watched: no event descriptor");
        return nullptr;
    }
    watcher->thread_ = std::thread(&LockWatcher::run, watcher.get());
    return watcher;
}

LockWatcher::LockWatcher(std::unique_ptr<XConnection> x, const GrabTarget& target, bool grabHeld)
    : x_(std::move(x))
    , target_(target)
    , held_(grabHeld) {
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x_->get(), x_->root(), XCB_CW_EVENT_MASK, &events);
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
    raiseLockWindows();
    auto nextRegrab = Clock::now() + kRegrabInterval;
    for (;;) {
        handleEvents();
        if (x_->broken()) {
            LogSink::report("lost the connection to the X display: the lock is no longer watched");
            return;
        }
        if (!waitUntil(nextRegrab)) {
            return;
        }
        if (Clock::now() >= nextRegrab) {
            reassertGrab();
            drainTarget();
            nextRegrab = Clock::now() + kRegrabInterval;
        }
    }
}

// False when asked to stop.
bool LockWatcher::waitUntil(Clock::time_point deadline) const {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd fds[] = {{xcb_get_file_descriptor(x_->get()), POLLIN, 0}, {stop_.fd(), POLLIN, 0}};
    poll(fds, 2, static_cast<int>(std::max<decltype(left)>(left, 0)));
    return (fds[1].revents & POLLIN) == 0;
}

void LockWatcher::handleEvents() {
    bool covered = false;
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(x_->get())}) {
        covered = covered || covers(*event);
    }
    if (covered) {
        raiseLockWindows();
    }
}

// Another program's window mapped or restacked may now lie above the lock windows.
// The host's own windows belong over them: a message box, the language list.
bool LockWatcher::covers(const xcb_generic_event_t& event) const {
    const xcb_window_t window = eventWindow(event);
    return window != XCB_NONE && !isLockWindow(window) && !target_.ownedByHost(window);
}

bool LockWatcher::isLockWindow(xcb_window_t window) const {
    const auto& windows = target_.lockWindows;
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

void LockWatcher::raiseLockWindows() const {
    if (target_.lockWindows.empty()) {
        return;
    }
    // Looked up first, so that the restacking goes out in one batch: no round trip
    // in between leaves the host's windows under the lock windows for a moment.
    const auto hostWindows = hostWindowsShown();
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

// The host's mapped top-level windows other than the lock windows, bottom first.
std::vector<xcb_window_t> LockWatcher::hostWindowsShown() const {
    std::vector<xcb_window_t> windows;
    if (!target_.hostOwned) {
        return windows;
    }
    xcb_connection_t* c = x_->get();
    const Reply<xcb_query_tree_reply_t> tree{
        xcb_query_tree_reply(c, xcb_query_tree(c, x_->root()), nullptr)};
    if (tree == nullptr) {
        return windows;
    }
    const auto* children = xcb_query_tree_children(tree.get());
    std::vector<std::pair<xcb_window_t, xcb_get_window_attributes_cookie_t>> candidates;
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (target_.ownedByHost(children[i]) && !isLockWindow(children[i])) {
            candidates.emplace_back(children[i], xcb_get_window_attributes(c, children[i]));
        }
    }
    for (const auto& [window, cookie] : candidates) {
        xcb_generic_error_t* error = nullptr;
        const Reply<xcb_get_window_attributes_reply_t> attributes{
            xcb_get_window_attributes_reply(c, cookie, &error)};
        std::free(error);
        if (attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
            windows.push_back(window);
        }
    }
    return windows;
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
