#pragma once

#include "AccessibleAddresses.h"
#include "X11Windows.h"
#include "platform/Browsers.h"

namespace orvan {

// The browser and file-manager windows of the X display, by their program class, with
// the address each shows where the accessibility bus tells it; else the caption alone.
class X11Browsers : public Browsers {
public:
    explicit X11Browsers(const AccessibleAddresses* addresses = nullptr)
        : addresses_(addresses) {}

    std::vector<BrowserWindow> browserWindows() override;

    // The window list's display connection, whose events the event loop takes; asking
    // for it connects.
    int windowEventsFd() { return windows_.fd(); }
    void takeWindowEvents() { windows_.dispatch(); }

    // The caption without the browser's name behind the page title.
    static std::string caption(const std::string& title);
    static bool isBrowserClass(const std::string& className);

private:
    const AccessibleAddresses* addresses_;
    X11Windows windows_;
};

} // namespace orvan
