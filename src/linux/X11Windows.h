#pragma once

#include <map>
#include <set>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace orvan {

// What the desktop tells of one top-level window.
struct WindowFacts {
    xcb_window_t id = XCB_NONE;
    std::string title;
    std::string className;   // the program class of WM_CLASS, in lower case
    pid_t pid = 0;           // 0 when the owner cannot be told
    bool visible = false;    // managed by the window manager, or mapped without one
    bool owned = false;      // transient for another window
    bool normalType = false; // says explicitly that it is an ordinary window
    bool toolType = false;   // utility, toolbar, menu, splash, notification ...
    bool shellType = false;  // dock (panel) or desktop
};

// The top-level windows of the X display, on a connection of its own: from the window
// manager's client list; else the windows a window manager marked with WM_STATE, found
// below its frames; else the root's children when no window manager runs.
class X11Windows {
public:
    X11Windows();
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    bool connected() const { return connection_ != nullptr; }
    std::vector<WindowFacts> topLevel();
    pid_t ownerOf(xcb_window_t window);
    // The window manager's own process; 0 without one.
    pid_t windowManagerPid();
    bool exists(xcb_window_t window);
    // A close request, as the window's close button would send; false when the window
    // has no polite way to be closed.
    bool requestClose(xcb_window_t window);

private:
    // Errors of requests whose replies we asked for queue up as events; nobody reads
    // them but here.
    void drainEvents();
    xcb_atom_t atom(const char* name);
    std::vector<std::uint32_t> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    std::string text(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    xcb_window_t windowManagerCheck();
    bool closesThroughWindowManager();
    // Where the application windows were found.
    enum class Listing { ClientList, ManagedState, RootChildren };
    std::pair<Listing, std::vector<xcb_window_t>> candidates();
    std::vector<xcb_window_t> children(xcb_window_t window);
    void collectManaged(xcb_window_t window, int depth, std::vector<xcb_window_t>& found);
    bool viewable(xcb_window_t window, bool* overrideRedirect = nullptr);
    bool listsProtocol(xcb_window_t window, xcb_atom_t protocol);
    WindowFacts facts(xcb_window_t window);
    void classifyType(WindowFacts& facts);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    bool resources_ = false; // the server has the resource extension
    std::map<std::string, xcb_atom_t> atoms_;
};

} // namespace orvan
