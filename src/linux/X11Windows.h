#pragma once

#include "WindowChanges.h"

#include <functional>
#include <map>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>
#include <xcb/res.h>
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
// The list is read again only when the events of the windows it watches say it may
// have changed, each reading sends all its requests of a level before waiting for
// their replies, and a window's facts are kept until one of their properties changes.
// The connection is made at first use, so that the lock screen's first picture does not
// wait for it.
class X11Windows {
public:
    X11Windows();
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    // Connects the first time it is asked.
    bool connected();
    // The connection's socket: its events are taken as they come (dispatch), so that
    // none pile up while nobody asks for the list.
    int fd();
    void dispatch();

    std::vector<WindowFacts> topLevel();
    pid_t ownerOf(xcb_window_t window);
    // The window manager's own process; 0 without one.
    pid_t windowManagerPid();
    bool exists(xcb_window_t window);
    // A close request, as the window's close button would send; false when the window
    // has no polite way to be closed.
    bool requestClose(xcb_window_t window);

private:
    using PropertyCookie = xcb_get_property_cookie_t;
    // Where the application windows were found.
    enum class Listing { ClientList, ManagedState, RootChildren };
    struct Node {
        std::vector<std::uint32_t> state;
        std::vector<xcb_window_t> children;
    };
    using Nodes = std::map<xcb_window_t, Node>;
    struct OwnerCookies {
        xcb_res_query_client_ids_cookie_t ids{};
        bool asked = false;
        PropertyCookie pid{};
    };
    struct FactsCookies {
        xcb_window_t window = XCB_NONE;
        bool titleOnly = false;
        PropertyCookie netName{}, name{}, windowClass{}, transient{}, type{};
        OwnerCookies owner;
    };

    void connect();
    void internAtoms();
    xcb_atom_t atom(const char* name);
    void watch(xcb_window_t window, std::uint32_t mask);
    void takeEvents();
    void update();
    void readList();
    PropertyCookie ask(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                       std::uint32_t longs = 4096);
    std::vector<std::uint32_t> cardinals(PropertyCookie cookie, xcb_atom_t type);
    std::vector<std::uint32_t> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    std::string text(PropertyCookie cookie);
    std::vector<xcb_window_t> children(xcb_query_tree_cookie_t cookie);
    xcb_window_t windowManagerCheck(PropertyCookie rootCheck);
    xcb_window_t windowManagerCheck();
    bool closesThroughWindowManager();
    std::pair<Listing, std::vector<xcb_window_t>> candidates();
    void survey(const std::vector<xcb_window_t>& level, int depth, Nodes& nodes);
    void collectManaged(xcb_window_t window, int depth, const Nodes& nodes,
                        std::vector<xcb_window_t>& found) const;
    std::vector<xcb_window_t> listable(const std::vector<xcb_window_t>& roots,
                                       std::map<xcb_window_t, bool>& mapped);
    bool viewable(xcb_window_t window);
    bool listsProtocol(xcb_window_t window, xcb_atom_t protocol);
    void readFacts(const std::vector<xcb_window_t>& windows);
    FactsCookies askFacts(xcb_window_t window, bool titleOnly);
    void takeFacts(const FactsCookies& cookies, WindowFacts& facts);
    OwnerCookies askOwner(xcb_window_t window);
    pid_t takeOwner(const OwnerCookies& cookies);
    void classifyType(const std::vector<std::uint32_t>& types, WindowFacts& facts) const;

    xcb_connection_t* connection_ = nullptr;
    bool tried_ = false;
    xcb_window_t root_ = XCB_NONE;
    bool resources_ = false; // the server has the resource extension
    std::map<std::string, xcb_atom_t, std::less<>> atoms_;
    std::vector<xcb_atom_t> toolTypes_;
    WindowChanges changes_;
    // The last reading.
    Listing listing_ = Listing::RootChildren;
    std::vector<xcb_window_t> candidates_;
    std::vector<WindowFacts> listed_;
    std::map<xcb_window_t, WindowFacts> known_;
    xcb_window_t managerCheck_ = XCB_NONE;
    pid_t managerPid_ = 0;
};

} // namespace orvan
