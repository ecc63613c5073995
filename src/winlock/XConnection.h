#pragma once

#include <map>
#include <memory>
#include <string>
#include <xcb/xcb.h>

namespace orvan::winlock {

// A connection of the library's own to the display named by DISPLAY, with the
// root window of its screen and a cache of interned atoms.
class XConnection {
public:
    // Null, with a report, when there is no display to connect to.
    static std::unique_ptr<XConnection> open();

    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }
    bool broken() const;
    // Reads what the server sent meanwhile, which is how a server that went away
    // is noticed; only for a connection no other thread reads.
    bool alive() const;
    xcb_atom_t atom(const std::string& name);
    // A round trip: every request sent before has been carried out on return.
    void sync() const;

private:
    XConnection(xcb_connection_t* connection, xcb_window_t root);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::map<std::string, xcb_atom_t> atoms_;
};

} // namespace orvan::winlock
