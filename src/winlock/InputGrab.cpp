#include "InputGrab.h"

#include "Reply.h"

#include <thread>

namespace orvan::winlock {

namespace {

// No reply because the connection is broken.
constexpr std::uint8_t kNoReply = 0xff;
// No reply because the grab window no longer exists: the host made its window anew.
constexpr std::uint8_t kWindowGone = 0xfe;

constexpr std::uint16_t kHostPointerEvents =
    XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_ENTER_WINDOW |
    XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_POINTER_MOTION;

// The error is taken here: on the host's connection it would otherwise reach the
// host's event queue as an error of a request the host never made.
template <typename ReplyType>
std::uint8_t statusOf(xcb_connection_t* connection, ReplyType* raw, xcb_generic_error_t* error) {
    const Reply<ReplyType> reply{raw};
    const Reply<xcb_generic_error_t> failure{error};
    if (reply != nullptr) {
        return reply->status;
    }
    return failure != nullptr && xcb_connection_has_error(connection) == 0 ? kWindowGone : kNoReply;
}

std::uint8_t grabKeyboard(xcb_connection_t* connection, xcb_window_t window) {
    // owner_events: keys still reach the grabbing client's own focused window.
    xcb_generic_error_t* error = nullptr;
    auto* reply =
        xcb_grab_keyboard_reply(connection,
                                xcb_grab_keyboard(connection, 1, window, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                &error);
    return statusOf(connection, reply, error);
}

std::uint8_t grabPointer(xcb_connection_t* connection, xcb_window_t window, std::uint16_t events) {
    xcb_generic_error_t* error = nullptr;
    auto* reply = xcb_grab_pointer_reply(connection,
                                         xcb_grab_pointer(connection, 1, window, events,
                                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                          XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                                         &error);
    return statusOf(connection, reply, error);
}

// The root holds the grab while the grab window cannot.
bool rootInstead(std::uint8_t status) {
    return status == XCB_GRAB_STATUS_NOT_VIEWABLE || status == kWindowGone;
}

const char* statusName(std::uint8_t status) {
    switch (status) {
    case XCB_GRAB_STATUS_SUCCESS:
        return "held";
    case XCB_GRAB_STATUS_ALREADY_GRABBED:
        return "held by another client";
    case XCB_GRAB_STATUS_FROZEN:
        return "frozen by another client";
    case XCB_GRAB_STATUS_NOT_VIEWABLE:
        return "window not viewable";
    case XCB_GRAB_STATUS_INVALID_TIME:
        return "invalid time";
    case kWindowGone:
        return "window gone";
    default:
        return "connection lost";
    }
}

bool contestedStatus(std::uint8_t status) {
    return status == XCB_GRAB_STATUS_ALREADY_GRABBED || status == XCB_GRAB_STATUS_FROZEN;
}

} // namespace

bool InputGrab::Status::held() const {
    return keyboard == XCB_GRAB_STATUS_SUCCESS && pointer == XCB_GRAB_STATUS_SUCCESS;
}

bool InputGrab::Status::contested() const {
    return contestedStatus(keyboard) || contestedStatus(pointer);
}

std::string InputGrab::Status::describe() const {
    return std::string{"keyboard "} + statusName(keyboard) + ", pointer " + statusName(pointer);
}

InputGrab::Status InputGrab::takeOnce(const GrabTarget& target) {
    const std::uint16_t events = target.hostOwned ? kHostPointerEvents : 0;
    Status status{grabKeyboard(target.connection, target.grabWindow),
                  grabPointer(target.connection, target.grabWindow, events)};
    // The lock window may not be mapped yet, or gone before the host lent its new
    // one: hold the root meanwhile, so that the lock never lapses.
    if (rootInstead(status.keyboard)) {
        status.keyboard = grabKeyboard(target.connection, target.root);
    }
    if (rootInstead(status.pointer)) {
        status.pointer = grabPointer(target.connection, target.root, events);
    }
    return status;
}

InputGrab::Status InputGrab::takeWithin(const GrabTarget& target, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        const auto status = takeOnce(target);
        if (status.held() || !status.contested() || std::chrono::steady_clock::now() >= deadline) {
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void InputGrab::release(xcb_connection_t* connection) {
    xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
    xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    // Done before the next grab on another connection is asked for.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool InputGrab::anyFree(xcb_connection_t* prober, xcb_window_t root) {
    const bool keyboardFree = grabKeyboard(prober, root) == XCB_GRAB_STATUS_SUCCESS;
    const bool pointerFree = grabPointer(prober, root, 0) == XCB_GRAB_STATUS_SUCCESS;
    if (keyboardFree || pointerFree) {
        release(prober);
    }
    return keyboardFree || pointerFree;
}

} // namespace orvan::winlock
