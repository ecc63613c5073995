#pragma once

#include <string>

namespace orvan {

// Where a browser window opens, in pixels of the screen.
struct WindowPlacement {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// What one customer leaves behind in the desktop session, step by step. Each step is
// confined to the customer's home and the data folder and returns false when it
// failed; a step that has nothing to do succeeds.
class SessionTraces {
public:
    virtual ~SessionTraces() = default;

    virtual bool arrangeDesktopIcons() = 0;
    virtual bool clearRecentDocuments() = 0;
    virtual bool setWallpaper(const std::string& picturePath) = 0;
    virtual bool setStartPage(const std::string& address) = 0;
    virtual bool resetBrowserLook(const WindowPlacement& placement) = 0;
    virtual bool deleteBrowserCache() = 0;
    virtual bool deleteBrowserHistory() = 0;
    virtual bool clearMessengerTraces() = 0;
    virtual bool emptyTrash() = 0;
};

} // namespace orvan
