#pragma once

#include "X11Windows.h"
#include "platform/Browsers.h"

namespace orvan {

// The browser and file-manager windows of the X display, by their program class.
// Their addresses are not on the window: this finder gives captions only, so those
// windows are found (and can be closed) but report no address.
class X11Browsers : public Browsers {
public:
    std::vector<BrowserWindow> browserWindows() override;

    // The caption without the browser's name behind the page title.
    static std::string caption(const std::string& title);
    static bool isBrowserClass(const std::string& className);

private:
    X11Windows windows_;
};

} // namespace orvan
