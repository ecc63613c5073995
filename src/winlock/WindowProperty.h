#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace orvan::winlock {

// Reads window properties; a missing property or one of another type reads empty.
// The request and the reading are apart so that many requests can be in flight.
class WindowProperty {
public:
    static xcb_get_property_cookie_t request(xcb_connection_t* connection, xcb_window_t window,
                                             xcb_atom_t property, xcb_atom_t type);
    static std::vector<std::uint32_t> values32(xcb_connection_t* connection,
                                               xcb_get_property_cookie_t cookie);
    static std::string bytes(xcb_connection_t* connection, xcb_get_property_cookie_t cookie);
};

} // namespace orvan::winlock
