#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace orvan::winlock {

// Another program on the test's X server: makes windows, grabs, and watches
// what reaches it.
class XClient {
public:
    XClient();
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }

    // A window covering the screen, or a small one; mapped unless asked not to.
    xcb_window_t window(bool overrideRedirect, bool fullScreen = true, bool map = true,
                        xcb_window_t parent = XCB_NONE);
    void setWindowType(xcb_window_t window, const std::string& type);
    void setWindows(xcb_window_t window, const std::string& property,
                    const std::vector<xcb_window_t>& windows);
    void focus(xcb_window_t window);
    void raise(xcb_window_t window);
    void destroy(xcb_window_t window);
    bool mapped(xcb_window_t window);
    // Children of the root, bottom first.
    std::vector<xcb_window_t> stacking();
    std::string rootText(const std::string& property);

    std::uint8_t grabKeyboard();
    xcb_keycode_t keycode(xcb_keysym_t keysym);
    // The key presses that reached this client so far, with the window of each.
    std::vector<xcb_key_press_event_t> keyPresses();
    // The codes of the X errors that reached this client's event queue so far.
    std::vector<std::uint8_t> errors();

    xcb_atom_t atom(const std::string& name);
    void sync();

private:
    void readEvents();

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::vector<xcb_key_press_event_t> presses_;
    std::vector<std::uint8_t> errors_;
};

} // namespace orvan::winlock
