#pragma once

#include <cstdint>
#include <vector>
#include <xcb/xcb.h>

namespace orvan::winlock {

// Where the keyboard and pointer grabs are taken: the host's connection and lock
// window when the host attached them, else a connection of the library's own and
// the root window.
struct GrabTarget {
    xcb_connection_t* connection = nullptr;
    xcb_window_t grabWindow = XCB_NONE;
    // Grabbed instead while the grab window is not viewable (not mapped yet).
    xcb_window_t root = XCB_NONE;
    // Kept above every other window; the host's, so empty without a host.
    std::vector<xcb_window_t> lockWindows;
    // The host reads its own connection; the library must drain one of its own.
    bool hostOwned = false;
    // The ids the X server hands the host's connection: windows with these bits are
    // the host's own (its dialogs and popups), which the lock windows must not cover.
    std::uint32_t hostIdBase = 0;
    std::uint32_t hostIdMask = 0;

    bool ownedByHost(xcb_window_t window) const {
        return hostOwned && (window & ~hostIdMask) == hostIdBase;
    }
};

} // namespace orvan::winlock
