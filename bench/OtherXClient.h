#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

namespace orvan::bench {

// For the tests: another client of the private display, which maps windows and
// takes the keyboard as the programs under measurement would.
struct OtherXClient {
    explicit OtherXClient(const std::string& display)
        : connection(xcb_connect(display.c_str(), nullptr))
        , root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root) {}
    ~OtherXClient() { xcb_disconnect(connection); }
    OtherXClient(const OtherXClient&) = delete;
    OtherXClient& operator=(const OtherXClient&) = delete;

    // Unmapped; override-redirect, so that it maps at once with or without a manager.
    xcb_window_t window(std::int16_t x, std::int16_t y, std::uint16_t width, std::uint16_t height) {
        const xcb_window_t window = xcb_generate_id(connection);
        const std::uint32_t overrideRedirect = 1;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, x, y, width, height, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
        sync();
        return window;
    }

    xcb_window_t mappedWindow(std::int16_t x, std::int16_t y, std::uint16_t width,
                              std::uint16_t height) {
        const auto created = window(x, y, width, height);
        map(created, true);
        return created;
    }

    void map(xcb_window_t window, bool mapped) {
        if (mapped) {
            xcb_map_window(connection, window);
        } else {
            xcb_unmap_window(connection, window);
        }
        sync();
    }

    std::uint8_t grabKeyboard() {
        auto* reply =
            xcb_grab_keyboard_reply(connection,
                                    xcb_grab_keyboard(connection, 0, root, XCB_CURRENT_TIME,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                    nullptr);
        const std::uint8_t status = reply != nullptr ? reply->status : 0xff;
        std::free(reply);
        return status;
    }

    // A round trip: every request sent before has been carried out.
    void sync() {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    xcb_connection_t* connection;
    xcb_window_t root;
};

} // namespace orvan::bench
