#include "X11Windows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/res.h>

namespace orvan {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> own(T* reply) {
    return Reply<T>(reply, &std::free);
}

// Window types that are not applications of their own.
constexpr const char* kToolTypes[] = {
    "_NET_WM_WINDOW_TYPE_UTILITY",       "_NET_WM_WINDOW_TYPE_TOOLBAR",
    "_NET_WM_WINDOW_TYPE_MENU",          "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
    "_NET_WM_WINDOW_TYPE_TOOLTIP",       "_NET_WM_WINDOW_TYPE_NOTIFICATION",
    "_NET_WM_WINDOW_TYPE_COMBO",         "_NET_WM_WINDOW_TYPE_DND"};

} // namespace

X11Windows::X11Windows() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;
    // A request of a missing extension would close the connection.
    const auto* resources = xcb_get_extension_data(connection_, &xcb_res_id);
    resources_ = resources != nullptr && resources->present != 0;
}

X11Windows::~X11Windows() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
}

xcb_atom_t X11Windows::atom(const char* name) {
    if (const auto known = atoms_.find(name); known != atoms_.end()) {
        return known->second;
    }
    const auto reply = own(xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    atoms_[name] = value;
    return value;
}

std::vector<std::uint32_t> X11Windows::cardinals(xcb_window_t window, xcb_atom_t property,
                                                 xcb_atom_t type) {
    const auto reply = own(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, type, 0, 4096), nullptr));
    if (!reply || reply->format != 32 || reply->type != type) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::string X11Windows::text(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    const auto reply = own(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

xcb_window_t X11Windows::windowManagerCheck() {
    // A running window manager names a window of its own that names itself again.
    const auto check = atom("_NET_SUPPORTING_WM_CHECK");
    const auto named = cardinals(root_, check, XCB_ATOM_WINDOW);
    if (named.empty() || cardinals(named[0], check, XCB_ATOM_WINDOW) != named) {
        return XCB_NONE;
    }
    return named[0];
}

pid_t X11Windows::windowManagerPid() {
    if (!connected()) {
        return 0;
    }
    const auto check = windowManagerCheck();
    return check == XCB_NONE ? 0 : ownerOf(check);
}

bool X11Windows::closesThroughWindowManager() {
    if (windowManagerCheck() == XCB_NONE) {
        return false;
    }
    const auto supported = cardinals(root_, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atom("_NET_CLOSE_WINDOW")) !=
           supported.end();
}

std::vector<xcb_window_t> X11Windows::children(xcb_window_t window) {
    const auto tree =
        own(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
    if (!tree) {
        return {};
    }
    const auto* first = xcb_query_tree_children(tree.get());
    return {first, first + xcb_query_tree_children_length(tree.get())};
}

// A window manager without the EWMH list still marks what it manages with WM_STATE
// (normal or iconic), on the program's window inside the frame it made.
void X11Windows::collectManaged(xcb_window_t window, int depth, std::vector<xcb_window_t>& found) {
    const auto state = cardinals(window, atom("WM_STATE"), atom("WM_STATE"));
    if (!state.empty()) {
        if (state[0] == 1 || state[0] == 3) {
            found.push_back(window);
        }
        return;
    }
    if (depth > 0) {
        for (const auto child : children(window)) {
            collectManaged(child, depth - 1, found);
        }
    }
}

std::pair<X11Windows::Listing, std::vector<xcb_window_t>> X11Windows::candidates() {
    if (windowManagerCheck() != XCB_NONE) {
        const auto list = own(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 0, root_, atom("_NET_CLIENT_LIST"),
                                                    XCB_ATOM_WINDOW, 0, 4096),
                                   nullptr));
        if (list && list->type == XCB_ATOM_WINDOW && list->format == 32) {
            const auto* first =
                static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
            return {Listing::ClientList,
                    {first, first + xcb_get_property_value_length(list.get()) / 4}};
        }
    }
    const auto topLevel = children(root_);
    std::vector<xcb_window_t> managed;
    for (const auto window : topLevel) {
        collectManaged(window, 2, managed);
    }
    if (!managed.empty()) {
        return {Listing::ManagedState, managed};
    }
    return {Listing::RootChildren, topLevel};
}

bool X11Windows::viewable(xcb_window_t window, bool* overrideRedirect) {
    const auto attributes = own(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    if (!attributes) {
        return false;
    }
    if (overrideRedirect != nullptr) {
        *overrideRedirect =
            attributes->override_redirect != 0 || attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY;
    }
    return attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

void X11Windows::drainEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        std::free(event);
    }
}

std::vector<WindowFacts> X11Windows::topLevel() {
    std::vector<WindowFacts> windows;
    if (!connected()) {
        return windows;
    }
    drainEvents();
    const auto [listing, found] = candidates();
    for (const auto window : found) {
        bool overrideRedirect = false;
        const bool mapped = viewable(window, &overrideRedirect);
        if (listing == Listing::RootChildren && overrideRedirect) {
            continue; // menus and tooltips, or another program's lock window
        }
        auto entry = facts(window);
        // A managed window is open even while minimised.
        entry.visible = listing != Listing::RootChildren || mapped;
        windows.push_back(std::move(entry));
    }
    return windows;
}

WindowFacts X11Windows::facts(xcb_window_t window) {
    WindowFacts facts;
    facts.id = window;
    facts.title = text(window, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
    if (facts.title.empty()) {
        facts.title = text(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    }
    const auto windowClass = text(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    // Instance name, NUL, class name, NUL.
    const auto start = windowClass.find('\0');
    if (start != std::string::npos) {
        for (const char c : windowClass.substr(start + 1)) {
            if (c != '\0') {
                facts.className += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            }
        }
    }
    facts.pid = ownerOf(window);
    facts.owned = !cardinals(window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW).empty();
    classifyType(facts);
    return facts;
}

void X11Windows::classifyType(WindowFacts& facts) {
    for (const auto type : cardinals(facts.id, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM)) {
        facts.normalType = facts.normalType || type == atom("_NET_WM_WINDOW_TYPE_NORMAL");
        facts.shellType = facts.shellType || type == atom("_NET_WM_WINDOW_TYPE_DOCK") ||
                          type == atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        for (const char* tool : kToolTypes) {
            facts.toolType = facts.toolType || type == atom(tool);
        }
    }
}

pid_t X11Windows::ownerOf(xcb_window_t window) {
    if (!connected()) {
        return 0;
    }
    // The X server knows which local process opened the connection; a window's own
    // word for it comes second.
    xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const auto ids =
        resources_ ? own(xcb_res_query_client_ids_reply(
                         connection_, xcb_res_query_client_ids(connection_, 1, &spec), nullptr))
                   : own<xcb_res_query_client_ids_reply_t>(nullptr);
    if (ids) {
        for (auto it = xcb_res_query_client_ids_ids_iterator(ids.get()); it.rem > 0;
             xcb_res_client_id_value_next(&it)) {
            if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) != 0 &&
                xcb_res_client_id_value_value_length(it.data) == 1) {
                return static_cast<pid_t>(*xcb_res_client_id_value_value(it.data));
            }
        }
    }
    const auto pid = cardinals(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
    return pid.empty() ? 0 : static_cast<pid_t>(pid[0]);
}

bool X11Windows::exists(xcb_window_t window) {
    if (!connected()) {
        return false;
    }
    drainEvents();
    const auto [listing, found] = candidates();
    if (listing != Listing::RootChildren) {
        return std::find(found.begin(), found.end(), window) != found.end();
    }
    return viewable(window);
}

bool X11Windows::listsProtocol(xcb_window_t window, xcb_atom_t protocol) {
    const auto protocols = cardinals(window, atom("WM_PROTOCOLS"), XCB_ATOM_ATOM);
    return std::find(protocols.begin(), protocols.end(), protocol) != protocols.end();
}

bool X11Windows::requestClose(xcb_window_t window) {
    if (!connected()) {
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    xcb_window_t target = window;
    std::uint32_t mask = XCB_EVENT_MASK_NO_EVENT;
    if (closesThroughWindowManager()) {
        message.type = atom("_NET_CLOSE_WINDOW");
        message.data.data32[1] = 2; // asked on the user's behalf, as a pager does
        target = root_;
        mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    } else if (listsProtocol(window, atom("WM_DELETE_WINDOW"))) {
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
    } else {
        return false;
    }
    xcb_send_event(connection_, 0, target, mask, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
    return true;
}

} // namespace orvan
