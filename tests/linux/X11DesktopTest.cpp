#include "X11Desktop.h"

#include "HelperProcess.h"
#include "TempFolder.h"
#include "X11Browsers.h"
#include "XvfbSuite.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <unistd.h>

namespace orvan {
namespace {

using namespace std::chrono_literals;

// The customer's programs on a private X server without a window manager, unless a
// test starts the helper's own.
class X11DesktopTest : public XvfbSuite {
protected:
    void SetUp() override {
        XvfbSuite::SetUp();
        if (IsSkipped()) {
            return;
        }
        desktop_ = std::make_unique<X11Desktop>(X11Desktop::Timing{800ms, 500ms}, folder_.path());
    }

    std::unique_ptr<HelperProcess> helper(std::vector<std::string> arguments, bool detach = true,
                                          const std::string& program = ORVAN_DESKTOP_HELPER) {
        auto started = std::make_unique<HelperProcess>(
            HelperProcess::Start{program, std::move(arguments), detach});
        EXPECT_TRUE(started->started());
        return started;
    }

    // The listed window of this title, polled for a while: the server maps it soon.
    std::optional<ProcessEntry> windowTitled(const std::string& title) {
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        do {
            for (const auto& entry : desktop_->applicationWindows()) {
                if (entry.title == title) {
                    return entry;
                }
            }
            std::this_thread::sleep_for(20ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return std::nullopt;
    }

    std::vector<std::string> titles() {
        std::vector<std::string> found;
        for (const auto& entry : desktop_->applicationWindows()) {
            found.push_back(entry.title);
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    TempFolder folder_;
    std::unique_ptr<X11Desktop> desktop_;
};

TEST_F(X11DesktopTest, listsApplicationWindowsButNotDocksToolsDialogsOrUntitledOnes) {
    const auto notes = helper({"--title", "Notes", "--delete"});
    const auto editor = helper({"--title", "Editor", "--transient"});
    const auto panel = helper({"--title", "Panel", "--type", "DOCK"});
    const auto tools = helper({"--title", "Tools", "--type", "UTILITY"});
    const auto untitled = helper({});
    const auto entry = windowTitled("Notes");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->processId, notes->pid());
    EXPECT_EQ(entry->executable, "desktop_helper");
    EXPECT_EQ(desktop_->windowProcess(entry->window), notes->pid());
    EXPECT_EQ(titles(), (std::vector<std::string>{"Editor", "Notes"}));
}

TEST_F(X11DesktopTest, closesPolitelyWhereItCanAndEndsAProgramThatIgnoresSigterm) {
    const auto polite = helper({"--title", "Polite", "--delete"});
    const auto stubborn = helper({"--title", "Stubborn", "--ignore-term"});
    const auto politeWindow = windowTitled("Polite");
    const auto stubbornWindow = windowTitled("Stubborn");
    ASSERT_TRUE(politeWindow && stubbornWindow);

    desktop_->requestClose(politeWindow->window);
    EXPECT_FALSE(desktop_->windowExists(politeWindow->window));
    EXPECT_TRUE(polite->endsSoon());

    // No close protocol and no window manager: nothing polite to send.
    desktop_->requestClose(stubbornWindow->window);
    EXPECT_TRUE(desktop_->windowExists(stubbornWindow->window));
    EXPECT_TRUE(desktop_->terminate(stubborn->pid()));
    EXPECT_TRUE(stubborn->endsSoon());
}

TEST_F(X11DesktopTest, underAWindowManagerListsItsClientsAndClosesThroughIt) {
    const auto manager = helper({"--wm"});
    const auto mail = helper({"--title", "Mail", "--delete"});
    const auto panel = helper({"--title", "Panel", "--type", "DOCK"});
    const auto entry = windowTitled("Mail");
    ASSERT_TRUE(entry);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Mail"}));

    desktop_->requestClose(entry->window);
    EXPECT_FALSE(desktop_->windowExists(entry->window));
    EXPECT_TRUE(mail->endsSoon());

    // The window manager and the panel are part of the desktop.
    EXPECT_FALSE(desktop_->terminate(manager->pid()));
    EXPECT_FALSE(desktop_->terminate(panel->pid()));
    EXPECT_EQ(desktop_->processInfo(panel->pid()).processId, -1);
    EXPECT_TRUE(manager->alive());
    EXPECT_TRUE(panel->alive());
}

TEST_F(X11DesktopTest, underAWindowManagerWithoutTheEwmhListFindsTheWindowsInItsFrames) {
    const auto manager = helper({"--framing-wm"});
    const auto mail = helper({"--title", "Mail", "--delete"});
    const auto notes = helper({"--title", "Notes"});
    const auto entry = windowTitled("Mail");
    // The manager frames each window in its own time.
    ASSERT_TRUE(entry && windowTitled("Notes"));
    EXPECT_EQ(entry->processId, mail->pid());
    EXPECT_EQ(titles(), (std::vector<std::string>{"Mail", "Notes"}));

    desktop_->requestClose(entry->window);
    EXPECT_FALSE(desktop_->windowExists(entry->window));
    EXPECT_TRUE(mail->endsSoon());
    EXPECT_TRUE(manager->alive());
}

TEST_F(X11DesktopTest, neverTouchesItselfItsOwnHelpersOrAnotherUsersPrograms) {
    const auto ownHelper = helper({"--title", "Own helper", "--no-window"}, false);
    EXPECT_FALSE(desktop_->terminate(ownHelper->pid()));
    EXPECT_FALSE(desktop_->terminate(getpid()));
    EXPECT_EQ(desktop_->processInfo(getpid()).processId, -1);
    EXPECT_TRUE(ownHelper->alive());
    if (getuid() != 0) {
        return;
    }
    HelperProcess other({ORVAN_DESKTOP_HELPER, {"--no-window"}, true, 65534});
    ASSERT_TRUE(other.started());
    const auto info = desktop_->processInfo(other.pid());
    EXPECT_EQ(info.processId, -1);
    EXPECT_EQ(info.executable, "desktop_helper");
    EXPECT_FALSE(desktop_->terminate(other.pid()));
    EXPECT_TRUE(other.alive());
}

TEST_F(X11DesktopTest, namesProgramsByTheirExecutableBeyondFifteenCharacters) {
    const auto copy = folder_ / "a-program-with-a-long-name";
    std::filesystem::copy_file(ORVAN_DESKTOP_HELPER, copy);
    const auto program = helper({"--no-window"}, true, copy);
    const auto processes = desktop_->processes();
    const auto found = std::find_if(processes.begin(), processes.end(), [&](const auto& entry) {
        return entry.processId == program->pid();
    });
    ASSERT_NE(found, processes.end());
    EXPECT_EQ(found->executable, "a-program-with-a-long-name");
    EXPECT_EQ(found->path, copy);
}

TEST_F(X11DesktopTest, aSecondCopyForTheSameUserAndDisplayIsRefused) {
    EXPECT_TRUE(desktop_->claimSingleInstance());
    EXPECT_TRUE(desktop_->claimSingleInstance()) << "claiming again keeps the place";
    {
        X11Desktop second(X11Desktop::Timing{}, folder_.path());
        EXPECT_FALSE(second.claimSingleInstance());
    }
    desktop_.reset();
    X11Desktop next(X11Desktop::Timing{}, folder_.path());
    EXPECT_TRUE(next.claimSingleInstance()) << "the lock goes with its holder";
}

TEST_F(X11DesktopTest, browserWindowsAreFoundByTheirClassWithThePageTitleAsCaption) {
    const auto firefox =
        helper({"--title", "News \xE2\x80\x94 Mozilla Firefox", "--class", "Firefox"});
    const auto chromium = helper({"--title", "Mail - Chromium", "--class", "Chromium"});
    const auto other = helper({"--title", "Notes", "--class", "Mousepad"});
    ASSERT_TRUE(windowTitled("Notes"));
    X11Browsers browsers;
    std::vector<std::string> captions;
    for (const auto& window : browsers.browserWindows()) {
        captions.push_back(window.caption);
        EXPECT_TRUE(window.address.empty()) << "no address can be read from the window";
    }
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::string>{"Mail", "News"}));
}

std::vector<std::string> captionsOf(X11Browsers& browsers) {
    std::vector<std::string> captions;
    for (const auto& window : browsers.browserWindows()) {
        captions.push_back(window.caption);
    }
    std::sort(captions.begin(), captions.end());
    return captions;
}

// Polled for a while: a program's window reaches the server soon, its end as soon.
bool captionsBecome(X11Browsers& browsers, const std::vector<std::string>& wanted) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (captionsOf(browsers) != wanted) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// Another client renames a window, and waits until the server has done it.
void retitle(std::uint64_t window, const std::string& title) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(title.size()), title.data());
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    xcb_disconnect(connection);
}

// One lister kept across looks, as the client keeps it: what it read before must not
// hide a new title, a new window or a closed one.
TEST_F(X11DesktopTest, aKeptListerSeesANewTitleANewBrowserWindowAndAClosedOne) {
    X11Browsers browsers;
    auto firefox = helper({"--title", "News \xE2\x80\x94 Mozilla Firefox", "--class", "Firefox"});
    ASSERT_TRUE(captionsBecome(browsers, {"News"}));
    const auto window = browsers.browserWindows().at(0).window;

    retitle(window, "Sport \xE2\x80\x94 Mozilla Firefox");
    EXPECT_EQ(captionsOf(browsers), (std::vector<std::string>{"Sport"}))
        << "a title the server has is the one listed at once";
    const auto other = helper({"--title", "Notes", "--class", "Mousepad"});
    const auto chromium = helper({"--title", "Mail - Chromium", "--class", "Chromium"});
    EXPECT_TRUE(captionsBecome(browsers, {"Mail", "Sport"}));

    firefox.reset();
    EXPECT_TRUE(captionsBecome(browsers, {"Mail"}));
    retitle(browsers.browserWindows().at(0).window, "Inbox - Chromium");
    EXPECT_EQ(captionsOf(browsers), (std::vector<std::string>{"Inbox"}));
}

// An X server that cannot tell a window's process: the window's own word is taken.
class X11OwnersWithoutResourceTest : public X11DesktopTest {
protected:
    static void SetUpTestSuite() {
        server_ = new winlock::XvfbServer({"-extension", "X-Resource"});
    }
};

TEST_F(X11OwnersWithoutResourceTest, windowsAreOwnedByTheProcessTheyNameAndUnnamedOnesByNone) {
    const auto named = helper({"--title", "Named", "--net-wm-pid"});
    const auto unnamed = helper({"--title", "Unnamed"});
    const auto entry = windowTitled("Named");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->processId, named->pid());
    EXPECT_EQ(desktop_->windowProcess(entry->window), named->pid());
    EXPECT_EQ(titles(), (std::vector<std::string>{"Named"})) << "an owner is needed to be listed";
}

} // namespace
} // namespace orvan
