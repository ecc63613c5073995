#pragma once

#include "XConnection.h"

#include <string>
#include <vector>

namespace orvan::winlock {

// The shell's windows of one EWMH window type (the docks that make the taskbar,
// the desktop window): hidden by unmapping them, remembered, and mapped again.
class ShellWindows {
public:
    explicit ShellWindows(std::string windowType);

    bool hide(XConnection& x);
    bool show(XConnection& x);
    // The windows remembered belong to a display that has gone away.
    void forget() { hidden_.clear(); }

private:
    std::vector<xcb_window_t> candidates(XConnection& x) const;
    std::vector<xcb_window_t> mappedOfType(XConnection& x,
                                           const std::vector<xcb_window_t>& windows) const;
    void remember(xcb_window_t window);

    std::string windowType_;
    std::vector<xcb_window_t> hidden_;
};

} // namespace orvan::winlock
