#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <xcb/xcb.h>

namespace orvan {

// What changed on the display since the window list was last read, told by the events
// of the windows it watches: the list is read again only when something it shows may
// differ, and a window's facts only when one of their properties changed.
class WindowChanges {
public:
    struct Atoms {
        xcb_atom_t netName = XCB_ATOM_NONE;    // _NET_WM_NAME
        xcb_atom_t netPid = XCB_ATOM_NONE;     // _NET_WM_PID
        xcb_atom_t windowType = XCB_ATOM_NONE; // _NET_WM_WINDOW_TYPE
        xcb_atom_t wmState = XCB_ATOM_NONE;    // WM_STATE
        xcb_atom_t clientList = XCB_ATOM_NONE; // _NET_CLIENT_LIST
        xcb_atom_t wmCheck = XCB_ATOM_NONE;    // _NET_SUPPORTING_WM_CHECK
    };

    // Until the first reading everything counts as changed.
    void setAtoms(const Atoms& atoms) { atoms_ = atoms; }

    // Whether the window must be told to send `mask` (once per window and mask).
    bool watch(xcb_window_t window, std::uint32_t mask);
    void take(const xcb_generic_event_t& event);

    bool changed() const { return changed_; }
    bool titleStale(xcb_window_t window) const { return titles_.count(window) != 0; }
    bool factsStale(xcb_window_t window) const { return facts_.count(window) != 0; }
    // The list was read again after the last events taken: what they told is in it.
    void read();

private:
    void property(const xcb_property_notify_event_t& event);
    void destroyed(xcb_window_t window);

    Atoms atoms_;
    bool changed_ = true;
    std::map<xcb_window_t, std::uint32_t> watched_;
    std::set<xcb_window_t> titles_;
    std::set<xcb_window_t> facts_;
};

} // namespace orvan
