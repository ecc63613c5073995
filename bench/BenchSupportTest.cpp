// The benchmarks' apparatus: a figure that is off by one rank, settings that leave
// the client waiting or broadcasting off the machine, a probe that keeps a grab or
// misses a window, or an Xvfb left running would all spoil the numbers silently.

#include "Figures.h"
#include "RegistryFileStore.h"
#include "StartupSettings.h"
#include "XProbe.h"
#include "XvfbDisplay.h"
#include "core/Client.h"
#include "support/FakePlatform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace orvan::bench {
namespace {

TEST(Figures, nearestRankOfUnorderedSamples) {
    const auto ten = Figures::of({7, 3, 10, 1, 9, 2, 8, 4, 6, 5});
    EXPECT_EQ(ten.median, 5);
    EXPECT_EQ(ten.p90, 9);
    EXPECT_EQ(ten.worst, 10);
    EXPECT_EQ(ten.count, 10U);

    const auto one = Figures::of({4.5});
    EXPECT_EQ(one.median, 4.5);
    EXPECT_EQ(one.p90, 4.5);
    EXPECT_EQ(Figures::of({}).count, 0U);
}

TEST(StartupSettings, clientStartsLockedAtOnceRightAfterBootAndOnlyOnTheLoopback) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvan-bench-settings-" + std::to_string(::getpid()));
    ASSERT_TRUE(
        writeLockedStartSettings((folder / "appdata").string(), (folder / "config").string()));
    {
        test::FakePlatform fake;
        fake.time.setBoot(0); // the worst case: no time has passed since boot
        RegistryFileStore store(machineHiveFile((folder / "appdata").string()),
                                userHiveFile((folder / "config").string()));
        auto p = fake.platform();
        Client client(Platform{p.clock, p.timers, store, p.system, p.codec, p.files, p.dialogs,
                               p.shell, p.screen, p.desktop, p.wskCli, p.wskFindServer, p.shellLock,
                               p.mixer});
        client.Main("");
        auto& context = client.context();
        EXPECT_TRUE(context.forms.frmBlock.visible) << "no lock screen without waiting";
        EXPECT_EQ(context.workstation.intWksnState, Workstation::kWaiting);
        EXPECT_FALSE(context.forms.frmSetupWizard.visible);
        EXPECT_EQ(context.constants.cnxBroardcastAdr, "127.0.0.1");
        EXPECT_TRUE(store.takeProblems().empty());
    }
    std::filesystem::remove_all(folder);
}

struct OtherClient {
    explicit OtherClient(const std::string& display)
        : connection(xcb_connect(display.c_str(), nullptr))
        , root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root) {}
    ~OtherClient() { xcb_disconnect(connection); }

    xcb_window_t mappedWindow(std::int16_t x, std::int16_t y, std::uint16_t width,
                              std::uint16_t height) {
        const xcb_window_t window = xcb_generate_id(connection);
        const std::uint32_t overrideRedirect = 1;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, x, y, width, height, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
        xcb_map_window(connection, window);
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        return window;
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

    xcb_connection_t* connection;
    xcb_window_t root;
};

TEST(XvfbProbe, seesCoveringWindowsAndGrabsWithoutKeepingOneAndTheServerStops) {
    XvfbDisplay display;
    ASSERT_TRUE(display.running());
    const pid_t server = display.pid();
    {
        const auto probe = XProbe::open(display.name());
        ASSERT_NE(probe, nullptr);
        OtherClient other(display.name());
        ASSERT_EQ(xcb_connection_has_error(other.connection), 0);

        EXPECT_FALSE(probe->coveringWindowShown());
        other.mappedWindow(0, 0, XvfbDisplay::kWidth, XvfbDisplay::kHeight - 1);
        other.mappedWindow(100, 100, 200, 200);
        EXPECT_FALSE(probe->coveringWindowShown()) << "one row short is not covering";
        const auto full = other.mappedWindow(0, 0, XvfbDisplay::kWidth, XvfbDisplay::kHeight);
        EXPECT_TRUE(probe->viewable(full));
        EXPECT_TRUE(probe->coveringWindowShown());

        EXPECT_FALSE(probe->keyboardHeldElsewhere());
        EXPECT_EQ(other.grabKeyboard(), XCB_GRAB_STATUS_SUCCESS) << "the probe kept its grab";
        EXPECT_TRUE(probe->keyboardHeldElsewhere());
    }
    display.stop();
    EXPECT_FALSE(display.running());
    EXPECT_EQ(::kill(server, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

} // namespace
} // namespace orvan::bench
