#include "AccessibleAddresses.h"

#include "AccessibilityDesktop.h"
#include "HelperProcess.h"
#include "ScopedEnv.h"
#include "TempFolder.h"
#include "X11Browsers.h"
#include "XvfbSuite.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvan {
namespace {

using namespace std::chrono_literals;

// Long enough that only the bus's signals can explain a change seen in a test.
constexpr AccessibleAddresses::Options kNoRefresh{600'000'000, false};

const std::string kNews = "News \xE2\x80\x94 Mozilla Firefox";

// Runs the reader's event loop as the client's does, until the condition holds.
bool until(AccessibleAddresses& reader, const std::function<bool()>& condition,
           std::chrono::milliseconds limit = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        pollfd ready{reader.fd(), POLLIN, 0};
        poll(&ready, 1, 20);
        reader.dispatch();
    }
    return true;
}

std::unique_ptr<HelperProcess> program(std::vector<std::string> arguments,
                                       const std::string& executable = ORVAN_ACCESSIBLE_HELPER) {
    auto started = std::make_unique<HelperProcess>(
        HelperProcess::Start{executable, std::move(arguments), false});
    EXPECT_TRUE(started->started()) << executable;
    return started;
}

void stopProgram(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

class AccessibleAddressesTest : public testing::Test {
protected:
    void SetUp() override {
        if (!desktop_.running()) {
            GTEST_SKIP() << desktop_.why();
        }
    }

    AccessibilityDesktop desktop_;
};

TEST_F(AccessibleAddressesTest, readsEachProgramsPageAddressAndFollowsItThroughTheBusSignals) {
    const auto news = program({"--title", kNews, "--url", "https://example.org/news",
                               "--next-title", "Sport", "--next-url", "https://example.org/sport"});
    const auto page = program({"--title", "Page", "--key", "URI", "--url", "file:///srv/a.html"});
    const auto bare = program({"--title", "Bare", "--no-document", "--url", "http://never/"});
    AccessibleAddresses reader(kNoRefresh);
    ASSERT_TRUE(until(reader, [&] {
        return reader.address(news->pid(), kNews) == "https://example.org/news" &&
               reader.address(page->pid(), "Page") == "file:///srv/a.html" &&
               reader.known(bare->pid());
    }));
    EXPECT_EQ(reader.address(bare->pid(), "Bare"), "") << "a frame without a document";
    EXPECT_EQ(reader.address(news->pid(), "Another title"), "https://example.org/news")
        << "the only frame of its program";
    EXPECT_EQ(reader.address(page->pid() + 100000, "Page"), "");

    kill(news->pid(), SIGUSR1);
    EXPECT_TRUE(until(reader, [&] {
        return reader.address(news->pid(), "Sport") == "https://example.org/sport";
    })) << "the page load and the new title are announced on the bus";
}

TEST_F(AccessibleAddressesTest, programsAnsweringBadlyOrNeverGetNoAddressAndHoldUpNoOther) {
    const auto silent = program({"--title", "Silent", "--url", "http://silent/", "--silent"});
    const auto huge = program({"--huge"});
    const auto normal = program({"--title", "Normal", "--url", "http://normal/", "--next-title",
                                 "Next", "--next-url", "http://next/"});
    AccessibleAddresses reader(kNoRefresh);
    ASSERT_TRUE(until(reader, [&] {
        return reader.address(normal->pid(), "Normal") == "http://normal/" &&
               reader.known(huge->pid());
    }));
    EXPECT_EQ(reader.address(huge->pid(), std::string(1 << 20, 'T')), "");
    kill(normal->pid(), SIGUSR1);
    EXPECT_TRUE(
        until(reader, [&] { return reader.address(normal->pid(), "Next") == "http://next/"; }));
    EXPECT_FALSE(reader.known(silent->pid()));
    EXPECT_EQ(reader.address(silent->pid(), "Silent"), "");
}

TEST(AccessibleAddressesWithoutBus, readsNothingWithoutADesktopBusOrAnAccessibilityBus) {
    {
        ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
        ScopedEnv runtime("XDG_RUNTIME_DIR", "/nonexistent");
        AccessibleAddresses reader({});
        EXPECT_FALSE(until(
            reader, [&] { return reader.connected(); }, 300ms));
        EXPECT_EQ(reader.address(getpid(), ""), "");
    }
    AccessibilityDesktop desktop(false);
    if (!desktop.running()) {
        GTEST_SKIP() << desktop.why();
    }
    AccessibleAddresses reader({});
    EXPECT_FALSE(until(
        reader, [&] { return reader.connected(); }, 500ms))
        << "nobody on the session bus hands out an accessibility bus";
}

TEST(AccessibleAddressesWithoutBus, anAccessibilityBusThatWouldRunAProgramIsRefused) {
    AccessibilityDesktop desktop(false);
    if (!desktop.running()) {
        GTEST_SKIP() << desktop.why();
    }
    const auto ran = desktop.folder() / "ran";
    const auto launcher =
        program({"--launcher", "unixexec:path=/usr/bin/touch,argv0=touch,argv1=" + ran});
    AccessibleAddresses reader({});
    EXPECT_FALSE(until(
        reader, [&] { return reader.connected(); }, 1s));
    EXPECT_FALSE(std::filesystem::exists(ran));
}

// A real toolkit's bridge, and the join of the display's windows with the addresses.
class AccessibleWindowsTest : public XvfbSuite {
protected:
    void SetUp() override {
        XvfbSuite::SetUp();
        if (!IsSkipped() && !desktop_.running()) {
            GTEST_SKIP() << desktop_.why();
        }
    }

    AccessibilityDesktop desktop_;
};

TEST_F(AccessibleWindowsTest, browserWindowsCarryTheirAddressAndOthersTheirTitleAlone) {
    const auto firefox = program({"--window", "--title", kNews, "--url", "https://example.org/"});
    ScopedEnv always("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
    const auto qt = program({"--title", "Qt page"}, ORVAN_ACCESSIBLE_WINDOW);
    AccessibleAddresses reader(kNoRefresh);
    X11Browsers browsers(&reader);
    ASSERT_TRUE(until(reader, [&] {
        return reader.address(firefox->pid(), kNews) == "https://example.org/" &&
               reader.known(qt->pid());
    })) << "Qt's bridge registers the window's frame";
    std::map<std::string, std::string> shown;
    for (const auto& window : browsers.browserWindows()) {
        shown[window.caption] = window.address;
    }
    EXPECT_EQ(shown, (std::map<std::string, std::string>{{"News", "https://example.org/"},
                                                         {"Qt page", ""}}));
}

// The browser itself, where it is installed: a page opened from a file.
TEST_F(AccessibleWindowsTest, aRealBrowserShowingAPageFromAFileReportsItsAddress) {
    constexpr const char* kBrowser = "/usr/bin/firefox-esr";
    if (access(kBrowser, X_OK) != 0) {
        GTEST_SKIP() << kBrowser << " is not installed";
    }
    TempFolder home;
    const auto page = home / "page.html";
    std::ofstream(page) << "<html><head><title>Local page</title></head><body>Hi</body></html>";
    std::filesystem::create_directory(home / "profile");
    ScopedEnv homeVariable("HOME", home.path().c_str());
    // Started after the client switched the session's accessibility on, the browser
    // needs nothing more.
    ScopedEnv accessibility("GNOME_ACCESSIBILITY", nullptr);
    AccessibleAddresses reader({1'000'000, true});
    X11Browsers browsers(&reader);
    ASSERT_TRUE(until(reader, [&] { return reader.connected(); }));
    const pid_t browser =
        AccessibilityDesktop::launch({kBrowser, "--no-remote", "--new-instance", "--profile",
                                      home / "profile", "file://" + page});
    const bool shown = until(
        reader,
        [&] {
            for (const auto& window : browsers.browserWindows()) {
                if (window.address == "file://" + page) {
                    return true;
                }
            }
            return false;
        },
        60s);
    stopProgram(browser);
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace orvan
