#include "lockdown/AppControl.h"

#include "lockdown/clsInetexplorer.h"
#include "support/ClientFixture.h"

namespace orvan::test {
namespace {

ProcessEntry process(long id, const std::string& executable) {
    return {id, executable, "/usr/bin/" + executable, {}, 0};
}

ProcessEntry window(long id, const std::string& executable, std::uint64_t handle,
                    const std::string& title = "A window") {
    return {id, executable, "/usr/bin/" + executable, title, handle};
}

class AppControlTest : public ClientFixture {
protected:
    void SetUp() override { start(); }

    AppControl& apps() { return client().appControl(); }
    ScriptedDesktop& desktop() { return fake.desktop; }
    const std::string& noticeText() { return context().forms.frmMsgBox.lblText; }
};

TEST_F(AppControlTest, listsKeepOnlyInspectableProcessesAndTitledWindows) {
    desktop().processList = {process(-1, "systemd"), process(40, "xeyes"), process(0, "ghost")};
    desktop().windowList = {window(40, "xeyes", 7), window(41, "untitled", 8, ""),
                            window(-1, "root-owned", 9)};
    ASSERT_EQ(apps().funGetPoccessList(true).size(), 1U);
    EXPECT_EQ(apps().funGetPoccessList(false)[0].processId, 40);
    ASSERT_EQ(apps().funGetWindowList(true).size(), 1U);
    EXPECT_EQ(apps().funGetWindowList(false)[0].window, 7U);
    // Without a rebuild the lists stay as they were.
    desktop().processList.clear();
    EXPECT_EQ(apps().funGetPoccessList(false).size(), 1U);
    EXPECT_TRUE(apps().funGetPoccessList(true).empty());
}

TEST_F(AppControlTest, closeAsksFirstAndForcesOnlyWhatStaysOpen) {
    desktop().windowList = {window(40, "polite", 7), window(41, "stubborn", 8),
                            window(42, "explorer.exe", 9)};
    desktop().stubborn = {8, 9};
    apps().subCloseApp(window(40, "polite", 7));
    apps().subCloseApp(window(41, "stubborn", 8));
    apps().subCloseApp(window(42, "Explorer.EXE", 9));
    EXPECT_EQ(desktop().closeRequests, (std::vector<std::uint64_t>{7, 8, 9}));
    // Explorer is asked, never terminated.
    EXPECT_EQ(desktop().terminated, (std::vector<long>{41}));
}

TEST_F(AppControlTest, closeByWindowAloneFindsTheProcessFromTheWindow) {
    desktop().processList = {process(41, "stubborn")};
    desktop().windowList = {window(41, "stubborn", 8)};
    desktop().stubborn = {8};
    apps().subCloseApp(ProcessEntry{0, {}, {}, {}, 8});
    EXPECT_EQ(desktop().terminated, (std::vector<long>{41}));
    // Nothing known: nothing done.
    apps().subCloseApp(ProcessEntry{});
    EXPECT_EQ(desktop().closeRequests.size(), 1U);
}

TEST_F(AppControlTest, closeAllAppsHonoursKeepAndDebugSwitches) {
    desktop().windowList = {window(40, "gedit", 7), window(41, "xterm", 8)};
    context().flags.blnKeepApps = true;
    EXPECT_TRUE(apps().funCloseAllApps());
    EXPECT_TRUE(desktop().closeRequests.empty());

    context().flags.blnKeepApps = false;
    context().flags.blnDebugMode = true;
    apps().funCloseAllApps();
    EXPECT_EQ(desktop().closeRequests, (std::vector<std::uint64_t>{7}));

    context().flags.blnDebugMode = false;
    apps().funCloseAllApps();
    EXPECT_EQ(desktop().closeRequests, (std::vector<std::uint64_t>{7, 8}));
}

TEST_F(AppControlTest, killByNameEndsTheFirstMatchIgnoringCaseAndLogsIt) {
    desktop().processList = {process(40, "Mousepad"), process(41, "mousepad-helper")};
    EXPECT_TRUE(apps().killByName("MOUSE"));
    EXPECT_EQ(desktop().terminated, (std::vector<long>{40}));
    EXPECT_EQ(logMessages(fake.system.programFolder() + "/logkillfile.log"),
              (std::vector<std::string>{"Mousepad"}));
    EXPECT_FALSE(apps().killByName(""));
    EXPECT_FALSE(apps().killByName("absent"));
}

struct ProhibitionCase {
    Prohibitions prohibitions;
    std::string executable;
    bool closed;
};

TEST_F(AppControlTest, prohibitionsMapToThePrograms) {
    const std::vector<ProhibitionCase> cases{
        {{1, 0, 0, 0, {}}, "chromium", true},
        {{1, 0, 0, 0, {}}, "iexplore.exe", true},
        {{0, 1, 0, 0, {}}, "firefox-esr", true},
        {{0, 1, 0, 0, {}}, "Thunderbird", true},
        {{1, 0, 0, 0, {}}, "firefox-esr", false},
        {{0, 0, 1, 0, {}}, "netscape", true},
        {{0, 0, 0, 1, {}}, "evolution", true},
        {{0, 0, 0, 0, {"Pidgin.exe"}}, "pidgin", true},
        {{0, 0, 0, 0, {"pidgin", "hexchat"}}, "hexchat", true},
        {{0, 0, 0, 0, {"pidgin"}}, "pidgin-extra", false},
        {{2, 2, 2, 2, {}}, "chromium", false},
    };
    for (const auto& c : cases) {
        desktop().processList = {process(40, c.executable)};
        desktop().terminated.clear();
        apps().prohibitions = c.prohibitions;
        apps().subKillApps();
        EXPECT_EQ(desktop().terminated.size(), c.closed ? 1U : 0U) << c.executable;
    }
}

TEST_F(AppControlTest, oneNoticePerPassHoweverManyWereClosed) {
    desktop().processList = {process(40, "firefox"), process(41, "thunderbird")};
    apps().prohibitions = {0, 1, 0, 0, {}};
    apps().subKillApps();
    EXPECT_EQ(desktop().terminated.size(), 2U);
    EXPECT_TRUE(context().forms.frmMsgBox.loaded);
    EXPECT_EQ(noticeText(),
              "OrvanClient has found at least one application that is forbidden in disconnected "
              "mode!\r\nThese applications have been shutdown.");

    context().forms.frmMsgBox.unload();
    apps().subKillApps();
    EXPECT_FALSE(context().forms.frmMsgBox.loaded) << "nothing found, nothing said";
}

TEST_F(AppControlTest, browserProhibitionAlsoClosesWindowsShowingAnAddress) {
    fake.browsers.windows = {{7, "News", "https://example.org/"},
                             {8, "Files", "/home/customer"},
                             {9, "Home", "C:"},
                             {10, "Links", std::string{clsInetexplorer::kLinksPage}},
                             {11, "FTP", "FTP:example"}};
    apps().prohibitions = {1, 0, 0, 0, {}};
    apps().subKillApps();
    EXPECT_EQ(desktop().closeRequests, (std::vector<std::uint64_t>{7, 8, 10, 11}));
}

// Starts a copy while another runs; whether it ended itself and went on starting.
std::pair<int, bool> secondCopy(const std::string& commandLine) {
    FakePlatform fake;
    fake.time.setBoot(5 * 60 * 1000);
    fake.desktop.otherInstance = true;
    Client copy(fake.platform());
    copy.Main(commandLine);
    return {fake.shell.processEnds, copy.context().timers.tmrWksnStatus->enabled()};
}

TEST(SingleInstance, secondCopyEndsAtStartUpUnlessMultipleAreAllowed) {
    EXPECT_EQ(secondCopy(""), std::make_pair(1, false));
    EXPECT_EQ(secondCopy("-M"), std::make_pair(0, true));
}

} // namespace
} // namespace orvan::test
