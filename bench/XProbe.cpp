#include "XProbe.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace orvan::bench {

namespace {

template <typename T>
struct Freed {
    T* reply;
    explicit Freed(T* r)
        : reply(r) {}
    ~Freed() { std::free(reply); }
    Freed(const Freed&) = delete;
    Freed& operator=(const Freed&) = delete;
    T* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

} // namespace

std::unique_ptr<XProbe> XProbe::open(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const auto* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return std::unique_ptr<XProbe>(new XProbe(connection, *screen));
}

XProbe::XProbe(xcb_connection_t* connection, const xcb_screen_t& screen)
    : connection_(connection)
    , root_(screen.root)
    , width_(screen.width_in_pixels)
    , height_(screen.height_in_pixels) {}

XProbe::~XProbe() {
    xcb_disconnect(connection_);
}

bool XProbe::viewable(xcb_window_t window) const {
    const Freed attributes{xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr)};
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool XProbe::keyboardHeldElsewhere() const {
    const Freed grab{
        xcb_grab_keyboard_reply(connection_,
                                xcb_grab_keyboard(connection_, 0, root_, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr)};
    if (!grab) {
        return false;
    }
    if (grab->status == XCB_GRAB_STATUS_SUCCESS) {
        xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        return false;
    }
    return grab->status == XCB_GRAB_STATUS_ALREADY_GRABBED ||
           grab->status == XCB_GRAB_STATUS_FROZEN;
}

bool XProbe::coveringWindowShown() const {
    const Freed tree{
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr)};
    if (!tree) {
        return false;
    }
    const auto* children = xcb_query_tree_children(tree.reply);
    const int count = xcb_query_tree_children_length(tree.reply);
    // All the questions first, then the answers: one round trip, not one per window.
    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    std::vector<xcb_get_geometry_cookie_t> geometries;
    for (int i = 0; i < count; ++i) {
        attributes.push_back(xcb_get_window_attributes(connection_, children[i]));
        geometries.push_back(xcb_get_geometry(connection_, children[i]));
    }
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const Freed attribute{xcb_get_window_attributes_reply(connection_, attributes[i], nullptr)};
        const Freed geometry{xcb_get_geometry_reply(connection_, geometries[i], nullptr)};
        if (!found && attribute && geometry && attribute->map_state == XCB_MAP_STATE_VIEWABLE &&
            attribute->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT && geometry->x <= 0 &&
            geometry->y <= 0 && geometry->x + geometry->width >= width_ &&
            geometry->y + geometry->height >= height_) {
            found = true;
        }
    }
    return found;
}

bool XProbe::serverKeysOff() const {
    const auto atom = Freed{xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, 16, "_XKB_RULES_NAMES"), nullptr)};
    if (!atom) {
        return false;
    }
    const Freed property{xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, atom->atom, XCB_ATOM_STRING, 0, 1024),
        nullptr)};
    if (!property) {
        return false;
    }
    const std::string_view value{
        static_cast<const char*>(xcb_get_property_value(property.reply)),
        static_cast<std::size_t>(xcb_get_property_value_length(property.reply))};
    return value.find("srvrkeys:none") != std::string_view::npos;
}

std::vector<std::uint8_t> XProbe::pixels(xcb_window_t window, std::int16_t x, std::int16_t y,
                                         std::uint16_t width, std::uint16_t height) const {
    const Freed image{xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, width, height, ~0U),
        nullptr)};
    if (!image) {
        return {};
    }
    const auto* data = xcb_get_image_data(image.reply);
    return {data, data + xcb_get_image_data_length(image.reply)};
}

} // namespace orvan::bench
