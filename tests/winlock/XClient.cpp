#include "XClient.h"

#include <cstdlib>
#include <memory>

namespace orvan::winlock {

namespace {

template <typename T>
std::unique_ptr<T, decltype(&std::free)> owned(T* reply) {
    return {reply, &std::free};
}

} // namespace

XClient::XClient()
    : connection_(xcb_connect(nullptr, nullptr))
    , root_(xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root) {}

XClient::~XClient() {
    xcb_disconnect(connection_);
}

xcb_window_t XClient::window(bool overrideRedirect, bool fullScreen, bool map,
                             xcb_window_t parent) {
    const xcb_window_t window = xcb_generate_id(connection_);
    const std::uint32_t values[] = {overrideRedirect ? 1u : 0u,
                                    XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    const std::uint16_t size = fullScreen ? 1024 : 100;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window,
                      parent == XCB_NONE ? root_ : parent, 0, 0, size, size, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    if (map) {
        xcb_map_window(connection_, window);
    }
    sync();
    return window;
}

void XClient::setWindowType(xcb_window_t window, const std::string& type) {
    const xcb_atom_t value = atom(type);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &value);
    sync();
}

void XClient::setWindows(xcb_window_t window, const std::string& property,
                         const std::vector<xcb_window_t>& windows) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom(property), XCB_ATOM_WINDOW,
                        32, static_cast<std::uint32_t>(windows.size()), windows.data());
    sync();
}

void XClient::focus(xcb_window_t window) {
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    sync();
}

void XClient::raise(xcb_window_t window) {
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    sync();
}

void XClient::destroy(xcb_window_t window) {
    xcb_destroy_window(connection_, window);
    sync();
}

bool XClient::mapped(xcb_window_t window) {
    const auto attributes = owned(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

std::vector<xcb_window_t> XClient::stacking() {
    const auto tree =
        owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return {children, children + xcb_query_tree_children_length(tree.get())};
}

std::string XClient::rootText(const std::string& property) {
    const auto reply = owned(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, root_, atom(property), XCB_ATOM_STRING, 0, 4096),
        nullptr));
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

std::uint8_t XClient::grabKeyboard() {
    const auto reply =
        owned(xcb_grab_keyboard_reply(connection_,
                                      xcb_grab_keyboard(connection_, 0, root_, XCB_CURRENT_TIME,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                      nullptr));
    return reply->status;
}

xcb_keycode_t XClient::keycode(xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const auto mapping = owned(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr));
    if (mapping == nullptr) {
        return 0;
    }
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    for (int code = 0; code < count; ++code) {
        if (keysyms[code * mapping->keysyms_per_keycode] == keysym) {
            return static_cast<xcb_keycode_t>(setup->min_keycode + code);
        }
    }
    return 0;
}

std::vector<xcb_key_press_event_t> XClient::keyPresses() {
    readEvents();
    return presses_;
}

std::vector<std::uint8_t> XClient::errors() {
    readEvents();
    return errors_;
}

void XClient::readEvents() {
    sync();
    while (const auto event = owned(xcb_poll_for_event(connection_))) {
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
            presses_.push_back(*reinterpret_cast<const xcb_key_press_event_t*>(event.get()));
        } else if (event->response_type == 0) {
            errors_.push_back(
                reinterpret_cast<const xcb_generic_error_t*>(event.get())->error_code);
        }
    }
}

xcb_atom_t XClient::atom(const std::string& name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply->atom;
}

void XClient::sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

} // namespace orvan::winlock
