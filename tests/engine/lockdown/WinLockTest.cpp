#include "lockdown/WinLock.h"

#include "support/ClientFixture.h"
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
