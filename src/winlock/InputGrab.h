#pragma once

#include "GrabTarget.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace orvan::winlock {

// Active grabs of the keyboard and the pointer: while one client holds them, no
// other client (window manager shortcuts included) sees a key or a click.
class InputGrab {
public:
    struct Status {
        std::uint8_t keyboard;
        std::uint8_t pointer;

        bool held() const;
        // Whether another client holding a grab is why this failed.
        bool contested() const;
        std::string describe() const;
    };

    static Status takeOnce(const GrabTarget& target);
    // Tries again, with short pauses, while another client holds a grab.
    static Status takeWithin(const GrabTarget& target, std::chrono::milliseconds bound);
    static void release(xcb_connection_t* connection);
    // Whether nobody holds the keyboard or the pointer. Found out by grabbing from a
    // connection that holds nothing; a grab so taken is let go at once.
    static bool anyFree(xcb_connection_t* prober, xcb_window_t root);
};

} // namespace orvan::winlock
