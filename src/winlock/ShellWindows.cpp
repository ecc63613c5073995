#include "ShellWindows.h"

#include "Reply.h"
#include "WindowProperty.h"

#include <algorithm>

namespace orvan::winlock {

namespace {

std::vector<xcb_window_t> rootChildren(xcb_connection_t* connection, xcb_window_t root) {
    const Reply<xcb_query_tree_reply_t> tree{
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr)};
    if (tree == nullptr) {
        return {};
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return {children, children + xcb_query_tree_children_length(tree.get())};
}

bool isMapped(xcb_connection_t* connection, xcb_get_window_attributes_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_get_window_attributes_reply_t> attributes{
        xcb_get_window_attributes_reply(connection, cookie, &error)};
    std::free(error);
    return attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

} // namespace

ShellWindows::ShellWindows(std::string windowType)
    : windowType_(std::move(windowType)) {}

bool ShellWindows::hide(XConnection& x) {
    for (const auto window : mappedOfType(x, candidates(x))) {
        xcb_unmap_window(x.get(), window);
        remember(window);
    }
    x.sync();
    return !x.broken();
}

bool ShellWindows::show(XConnection& x) {
    std::vector<xcb_void_cookie_t> maps;
    for (const auto window : hidden_) {
        maps.push_back(xcb_map_window_checked(x.get(), window));
    }
    // A window destroyed meanwhile answers BadWindow: nothing is left to show.
    for (const auto cookie : maps) {
        std::free(xcb_request_check(x.get(), cookie));
    }
    hidden_.clear();
    return !x.broken();
}

// Framed clients are found through the window manager's client list; panels that
// no window manager manages are children of the root. Both are searched.
std::vector<xcb_window_t> ShellWindows::candidates(XConnection& x) const {
    auto windows = WindowProperty::values32(
        x.get(),
        WindowProperty::request(x.get(), x.root(), x.atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW));
    const auto children = rootChildren(x.get(), x.root());
    windows.insert(windows.end(), children.begin(), children.end());
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
    return windows;
}

// Only mapped windows: one the shell keeps unmapped must stay so after showing.
std::vector<xcb_window_t>
ShellWindows::mappedOfType(XConnection& x, const std::vector<xcb_window_t>& windows) const {
    const xcb_atom_t typeProperty = x.atom("_NET_WM_WINDOW_TYPE");
    const xcb_atom_t wanted = x.atom(windowType_);
    std::vector<xcb_get_property_cookie_t> types;
    std::vector<xcb_get_window_attributes_cookie_t> states;
    for (const auto window : windows) {
        types.push_back(WindowProperty::request(x.get(), window, typeProperty, XCB_ATOM_ATOM));
        states.push_back(xcb_get_window_attributes(x.get(), window));
    }
    std::vector<xcb_window_t> found;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto typeList = WindowProperty::values32(x.get(), types[i]);
        const bool mapped = isMapped(x.get(), states[i]);
        if (mapped && std::find(typeList.begin(), typeList.end(), wanted) != typeList.end()) {
            found.push_back(windows[i]);
        }
    }
    return found;
}

void ShellWindows::remember(xcb_window_t window) {
    if (std::find(hidden_.begin(), hidden_.end(), window) == hidden_.end()) {
        hidden_.push_back(window);
    }
}

} // namespace orvan::winlock
