#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace orvan::bench {

// The benchmark's own view of the display, on a connection of its own, so that what
// it sees is what any other client would see.
class XProbe {
public:
    // Null when the display cannot be reached.
    static std::unique_ptr<XProbe> open(const std::string& display);
    ~XProbe();
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    xcb_connection_t* connection() const { return connection_; }
    xcb_window_t root() const { return root_; }

    bool viewable(xcb_window_t window) const;
    // Whether another client holds the keyboard: found out by grabbing it from here.
    // A grab that succeeds is let go, with a round trip, before this returns, so that
    // nobody else finds the keyboard taken by the probe.
    bool keyboardHeldElsewhere() const;
    // Whether a viewable top-level window covers the whole screen.
    bool coveringWindowShown() const;
    // Whether the keymap options on the root take the server's own chords off.
    bool serverKeysOff() const;
    // A small area of a viewable window as the display shows it, in the server's
    // image format: what was last drawn there. Empty when it cannot be read (the window
    // is not viewable, or the area is not inside it).
    std::vector<std::uint8_t> pixels(xcb_window_t window, std::int16_t x, std::int16_t y,
                                     std::uint16_t width, std::uint16_t height) const;

private:
    XProbe(xcb_connection_t* connection, const xcb_screen_t& screen);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    int width_;
    int height_;
};

} // namespace orvan::bench
