#include "WindowProperty.h"

#include "Reply.h"

namespace orvan::winlock {

namespace {
// Far above any window list or keymap name; a longer value is cut, not refused.
constexpr std::uint32_t kMaxLength32 = 1u << 16;

// Errors (the window is gone) are freed here rather than left in the event queue.
Reply<xcb_get_property_reply_t> take(xcb_connection_t* connection,
                                     xcb_get_property_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply{xcb_get_property_reply(connection, cookie, &error)};
    std::free(error);
    return reply;
}

} // namespace

xcb_get_property_cookie_t WindowProperty::request(xcb_connection_t* connection, xcb_window_t window,
                                                  xcb_atom_t property, xcb_atom_t type) {
    return xcb_get_property(connection, 0, window, property, type, 0, kMaxLength32);
}

std::vector<std::uint32_t> WindowProperty::values32(xcb_connection_t* connection,
                                                    xcb_get_property_cookie_t cookie) {
    const auto reply = take(connection, cookie);
    if (reply == nullptr || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const auto count = xcb_get_property_value_length(reply.get()) / 4;
    return {values, values + count};
}

std::string WindowProperty::bytes(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
    const auto reply = take(connection, cookie);
    if (reply == nullptr || reply->format != 8) {
        return {};
    }
    const auto* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {value, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

} // namespace orvan::winlock
