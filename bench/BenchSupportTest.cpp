// The benchmarks' apparatus: a figure that is off by one rank, settings that leave
// the client waiting or broadcasting off the machine, a probe that keeps a grab or
// misses a window, or an Xvfb left running would all spoil the numbers silently.

#include "Figures.h"
#include "OtherXClient.h"
#include "RegistryFileStore.h"
#include "StartupSettings.h"
#include "XProbe.h"
#include "XvfbDisplay.h"
#include "client/Client.h"
#include "support/FakePlatform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

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

// The settings files as the client reads them, started right after boot (the worst
// case for the start delay).
class StartedOnSettings {
public:
    explicit StartedOnSettings(const std::filesystem::path& folder)
        : store_(machineHiveFile((folder / "appdata").string()),
                 userHiveFile((folder / "config").string())) {
        fake_.time.setBoot(0);
        auto p = fake_.platform();
        client_ = std::make_unique<Client>(Platform{
            p.clock, p.timers, store_, p.system, p.codec, p.files, p.dialogs, p.shell, p.screen,
            p.desktop, p.wskCli, p.wskFindServer, p.shellLock, p.mixer, p.browsers, p.traces});
        client_->Main("");
    }

    EngineContext& context() { return client_->context(); }
    std::vector<std::string> problems() { return store_.takeProblems(); }

private:
    test::FakePlatform fake_;
    RegistryFileStore store_;
    std::unique_ptr<Client> client_;
};

TEST(StartupSettings, clientStartsLockedAtOnceRightAfterBootAndOnlyOnTheLoopback) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvan-bench-settings-" + std::to_string(::getpid()));
    ASSERT_TRUE(
        writeLockedStartSettings((folder / "appdata").string(), (folder / "config").string()));
    {
        StartedOnSettings client(folder);
        auto& context = client.context();
        EXPECT_TRUE(context.forms.frmBlock.visible) << "no lock screen without waiting";
        EXPECT_EQ(context.workstation.intWksnState, Workstation::kWaiting);
        EXPECT_FALSE(context.forms.frmSetupWizard.visible);
        EXPECT_EQ(context.constants.cnxBroardcastAdr, "127.0.0.1");
        EXPECT_TRUE(context.settings.blnAutoServerCnx);
        EXPECT_TRUE(client.problems().empty());
    }
    // With the stand-in server's port: connected to it by name, and no box about the
    // server running on this computer that nobody would answer.
    ASSERT_TRUE(writeLockedStartSettings((folder / "appdata").string(),
                                         (folder / "config").string(), 46999));
    {
        StartedOnSettings client(folder);
        auto& context = client.context();
        EXPECT_TRUE(context.forms.frmBlock.visible);
        EXPECT_FALSE(context.settings.blnAutoServerCnx);
        EXPECT_EQ(context.settings.strServerName, "127.0.0.1");
        EXPECT_EQ(context.settings.strServerPort, "46999");
        EXPECT_EQ(context.constants.wksnCheckSamePcAsServer, 0);
        EXPECT_EQ(context.constants.wksnStartDelay, 0);
        EXPECT_TRUE(client.problems().empty());
    }
    std::filesystem::remove_all(folder);
}

TEST(XvfbProbe, seesCoveringWindowsAndGrabsWithoutKeepingOneAndTheServerStops) {
    XvfbDisplay display;
    ASSERT_TRUE(display.running());
    const pid_t server = display.pid();
    {
        const auto probe = XProbe::open(display.name());
        ASSERT_NE(probe, nullptr);
        OtherXClient other(display.name());
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

// The lock benchmark tells the first paint by what the display shows at a patch: the
// probe must read what was drawn there, and nothing from a window that is not shown.
TEST(XvfbProbe, readsWhatAWindowShowsOnlyWhileItIsViewable) {
    XvfbDisplay display;
    ASSERT_TRUE(display.running());
    const auto probe = XProbe::open(display.name());
    ASSERT_NE(probe, nullptr);
    OtherXClient other(display.name());
    const auto window = other.window(10, 10, 40, 40);
    const std::uint32_t colour = 0x17212b;
    xcb_change_window_attributes(other.connection, window, XCB_CW_BACK_PIXEL, &colour);
    EXPECT_TRUE(probe->pixels(window, 0, 0, 2, 2).empty()) << "read from an unmapped window";

    other.map(window, true);
    const auto patch = probe->pixels(window, 0, 0, 2, 2);
    ASSERT_EQ(patch.size(), 2U * 2U * 4U) << "24-bit pixels travel in 32";
    for (std::size_t at = 0; at < patch.size(); at += 4) {
        EXPECT_EQ(patch[at], 0x2b);
        EXPECT_EQ(patch[at + 1], 0x21);
        EXPECT_EQ(patch[at + 2], 0x17);
    }
    EXPECT_TRUE(probe->pixels(window, 39, 39, 2, 2).empty()) << "outside the window";
}

} // namespace
} // namespace orvan::bench
