#include "XConnection.h"

#include "LogSink.h"

#include <cstdlib>

namespace orvan::winlock {

namespace {

xcb_window_t rootOfScreen(xcb_connection_t* connection, int screenNumber) {
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i) {
        xcb_screen_next(&screens);
    }
    return screens.data->root;
}

std::string displayName() {
    const char* name = std::getenv("DISPLAY");
    return name == nullptr || *name == '\0' ? std::string{"(DISPLAY not set)"} : name;
}

} // namespace

std::unique_ptr<XConnection> XConnection::open() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        LogSink::report("cannot connect to the X display " + displayName());
        return nullptr;
    }
    return std::unique_ptr<XConnection>(
        new XConnection(connection, rootOfScreen(connection, screenNumber)));
}

XConnection::XConnection(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection)
    , root_(root) {}

XConnection::~XConnection() {
    xcb_disconnect(connection_);
}

bool XConnection::broken() const {
    return xcb_connection_has_error(connection_) != 0;
}

bool XConnection::alive() const {
    // Left over: errors of requests nobody checked.
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        std::free(event);
    }
    return !broken();
}

xcb_atom_t XConnection::atom(const std::string& name) {
    if (const auto known = atoms_.find(name); known != atoms_.end()) {
        return known->second;
    }
    const auto cookie =
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    atoms_.emplace(name, atom);
    return atom;
}

void XConnection::sync() const {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

} // namespace orvan::winlock
