#include "lockdown/WinLock.h"

#include "localization/StringTable.h"
#include "support/LinkFixture.h"
#include "support/RecordingShellLock.h"

#include <algorithm>

namespace orvan::test {
namespace {

using Export = ShellLock::Export;
using Calls = std::vector<RecordingShellLock::Call>;

class WinLockTest : public ClientFixture {
protected:
    void SetUp() override {
        configured();
        start(commandLine());
    }
    virtual std::string commandLine() const { return {}; }

    long reportsOf(const std::string& location) const {
        const auto lines = logMessages();
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind(location + ":", 0) == 0;
        });
    }

    RecordingShellLock library;
    WinLock winLock{context(), library};
};

TEST_F(WinLockTest, engageAndReleaseSwitchTheKeysBeforeTheShell) {
    winLock.engage();
    winLock.release();
    EXPECT_EQ(library.calls, (Calls{{Export::TaskSwitching_Enable_Disable, 0},
                                    {Export::CtrlAltDel_Enable_Disable, 0},
                                    {Export::Desktop_Show_Hide, 0},
                                    {Export::Taskbar_Show_Hide, 0},
                                    {Export::TaskSwitching_Enable_Disable, -1},
                                    {Export::CtrlAltDel_Enable_Disable, -1},
                                    {Export::Desktop_Show_Hide, -1},
                                    {Export::Taskbar_Show_Hide, -1}}));
}

TEST_F(WinLockTest, lockTakenBeforeTestModeBeganIsGivenBackOnceThenTheShellIsLeftAlone) {
    winLock.engage();
    library.calls.clear();
    // The server turned out to run on this computer.
    context().flags.blnTestMode = true;
    winLock.release();
    EXPECT_EQ(library.calls, (Calls{{Export::TaskSwitching_Enable_Disable, -1},
                                    {Export::CtrlAltDel_Enable_Disable, -1},
                                    {Export::Desktop_Show_Hide, -1},
                                    {Export::Taskbar_Show_Hide, -1}}));
    library.calls.clear();
    winLock.release();
    winLock.engage();
    winLock.release();
    EXPECT_TRUE(library.calls.empty());
}

TEST_F(WinLockTest, anyNonZeroFlagIsAllBitsSetAndTheResultKeepsItsLowHalf) {
    library.result = 0x12345;
    EXPECT_EQ(winLock.funToggleTaskbar(7), 0x2345);
    EXPECT_EQ(winLock.funToggleTaskbar(7), 0x2345) << "a repeated call still goes through";
    library.result = -1;
    EXPECT_EQ(winLock.funToggleCtrlAltDel(0), -1);
    EXPECT_EQ(library.calls, (Calls{{Export::Taskbar_Show_Hide, -1},
                                    {Export::Taskbar_Show_Hide, -1},
                                    {Export::CtrlAltDel_Enable_Disable, 0}}));
}

TEST_F(WinLockTest, missingLibraryOrExportIsReportedPerToggleAndGivesZero) {
    library.present = false;
    winLock.engage();
    EXPECT_EQ(winLock.funToggleTaskbar(1), 0);
    winLock.release();

    EXPECT_EQ(reportsOf("modWinLock.funToggleTaskSwitchingError"), 2);
    EXPECT_EQ(reportsOf("modWinLock.funToggleCtrlAltDelError"), 2);
    EXPECT_EQ(reportsOf("modWinLock.funToggleDesktopError"), 2);
    EXPECT_EQ(reportsOf("modWinLock.funToggleTaskbarError"), 3);
    EXPECT_TRUE(logContains("modWinLock.funToggleTaskbarError: #53"));
    EXPECT_TRUE(fake.dialogs.shown.empty()) << "reported only, never shown";

    library.present = true;
    library.missing = Export::Desktop_Show_Hide;
    winLock.engage();
    EXPECT_EQ(reportsOf("modWinLock.funToggleDesktopError"), 3);
    EXPECT_EQ(reportsOf("modWinLock.funToggleTaskbarError"), 3);
    EXPECT_TRUE(logContains("modWinLock.funToggleDesktopError: #453"));
}

// Calls of one switch with the value that blocks it.
long blocks(const Calls& calls, Export which) {
    return std::count(calls.begin(), calls.end(), RecordingShellLock::Call{which, 0});
}

TEST_F(WinLockTest, switchThatFailsIsTriedAgainAloneUntilItHoldsAndOnlyTheFirstFailureIsLogged) {
    library.missing = Export::CtrlAltDel_Enable_Disable;
    winLock.engage();
    EXPECT_FALSE(winLock.complete());
    fake.time.advance(WinLock::kRetryMillis);
    EXPECT_EQ(blocks(library.calls, Export::CtrlAltDel_Enable_Disable), 2);
    EXPECT_EQ(blocks(library.calls, Export::TaskSwitching_Enable_Disable), 1)
        << "what held is not asked again";

    library.missing.reset();
    fake.time.advance(WinLock::kRetryMillis);
    EXPECT_TRUE(winLock.complete());
    EXPECT_EQ(reportsOf("modWinLock.funToggleCtrlAltDelError"), 1);
    EXPECT_TRUE(logContains("Shell lock taken after 3 attempts"));
    const auto calls = library.calls.size();
    fake.time.advance(10 * WinLock::kSlowRetryMillis);
    EXPECT_EQ(library.calls.size(), calls);
}

// The lock under test beside a client whose link the test drives.
class WinLockNoticeTest : public LinkFixture {
protected:
    void SetUp() override {
        configured();
        // The test server sends no heartbeat; the link must outlast the test.
        fake.store.putString(kConstants, "wksnHeartBeatCheck", "600");
        start();
    }

    long notices() const {
        const auto sent = fake.tcp.allSent();
        const std::string notice = "MessageSend#" + std::string{StringTable::text(10370)} +
                                   context().settings.strWksnName + kEnd;
        long count = 0;
        for (auto at = sent.find(notice); at != std::string::npos; at = sent.find(notice, at + 1)) {
            ++count;
        }
        return count;
    }
    const EngineContext& context() const { return client_->context(); }

    RecordingShellLock library;
    WinLock winLock{client().context(), library};
};

TEST_F(WinLockNoticeTest, lockThatCannotBeTakenIsReportedToTheManagerOnceAndTriedAgainSlowly) {
    connect();
    library.result = 0; // as the library answers when another program holds the keyboard
    winLock.engage();
    fake.time.advance((WinLock::kAttemptsBeforeNotice - 2) * WinLock::kRetryMillis);
    EXPECT_EQ(notices(), 0) << "a grab held for a moment is no news";
    fake.time.advance(WinLock::kRetryMillis);
    EXPECT_EQ(notices(), 1);

    const auto before = blocks(library.calls, Export::TaskSwitching_Enable_Disable);
    fake.time.advance(3 * WinLock::kSlowRetryMillis);
    EXPECT_EQ(blocks(library.calls, Export::TaskSwitching_Enable_Disable), before + 3);
    EXPECT_EQ(notices(), 1);

    // A lock screen taken down and put up again is a new lock: told again.
    winLock.release();
    fake.time.advance(3 * WinLock::kSlowRetryMillis);
    EXPECT_EQ(blocks(library.calls, Export::TaskSwitching_Enable_Disable), before + 3);
    winLock.engage();
    fake.time.advance(WinLock::kAttemptsBeforeNotice * WinLock::kRetryMillis);
    EXPECT_EQ(notices(), 2);
}

TEST_F(WinLockNoticeTest, noticeWaitsForTheLinkAndAnAllowedSwitchIsNotBlockedAgain) {
    library.missing = Export::TaskSwitching_Enable_Disable;
    winLock.engage();
    fake.time.advance(WinLock::kAttemptsBeforeNotice * WinLock::kRetryMillis);
    EXPECT_EQ(notices(), 0);
    connect();
    fake.time.advance(WinLock::kSlowRetryMillis);
    EXPECT_EQ(notices(), 1);

    // Switching allowed on purpose (a session is starting): the retry leaves it so.
    winLock.funToggleTaskSwitching(1);
    const auto calls = library.calls.size();
    fake.time.advance(3 * WinLock::kSlowRetryMillis);
    EXPECT_EQ(library.calls.size(), calls);
}

class WinLockTestModeTest : public WinLockTest {
protected:
    std::string commandLine() const override { return "-t"; }
};

TEST_F(WinLockTestModeTest, neitherEngageNorReleaseTouchesTheLibrary) {
    library.present = false;
    winLock.engage();
    winLock.release();
    EXPECT_TRUE(library.calls.empty());
    EXPECT_FALSE(logContains("modWinLock."));
}

} // namespace
} // namespace orvan::test
