#include "WindowChanges.h"

namespace orvan {

bool WindowChanges::watch(xcb_window_t window, std::uint32_t mask) {
    auto& selected = watched_[window];
    if ((selected & mask) == mask) {
        return false;
    }
    selected |= mask;
    return true;
}

void WindowChanges::take(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7f) {
    case XCB_PROPERTY_NOTIFY:
        property(reinterpret_cast<const xcb_property_notify_event_t&>(event));
        return;
    case XCB_DESTROY_NOTIFY:
        destroyed(reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window);
        return;
    default:
        // Windows created, mapped, unmapped, moved in the stacking order or into a
        // frame, and errors of windows gone meanwhile: the list may differ.
        changed_ = true;
        return;
    }
}

void WindowChanges::property(const xcb_property_notify_event_t& event) {
    const auto name = event.atom;
    if (name == atoms_.netName || name == XCB_ATOM_WM_NAME) {
        titles_.insert(event.window);
    } else if (name == XCB_ATOM_WM_CLASS || name == XCB_ATOM_WM_TRANSIENT_FOR ||
               name == atoms_.netPid || name == atoms_.windowType) {
        facts_.insert(event.window);
    } else if (name != atoms_.wmState && name != atoms_.clientList && name != atoms_.wmCheck) {
        return; // user times, icons, opaque regions ...: nothing the list shows
    }
    changed_ = true;
}

void WindowChanges::destroyed(xcb_window_t window) {
    // A window id may be handed out again: the new window is watched and read anew.
    watched_.erase(window);
    facts_.insert(window);
    changed_ = true;
}

void WindowChanges::read() {
    changed_ = false;
    titles_.clear();
    facts_.clear();
}

} // namespace orvan
