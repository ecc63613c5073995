#include "DlShellLock.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvan {
namespace {

using Export = ShellLock::Export;

std::vector<std::string> sinkLines;

void collect(const char* line) {
    sinkLines.emplace_back(line);
}

TEST(DlShellLock, eachCallReachesItsOwnExportWithItsValue) {
    DlShellLock lock{ORVAN_WINLOCK_FIXTURE};
    ASSERT_TRUE(lock.loaded()) << lock.loadError();

    EXPECT_EQ(lock.call(Export::Taskbar_Show_Hide, -1), 9);
    EXPECT_EQ(lock.call(Export::Desktop_Show_Hide, 0), 20);
    EXPECT_EQ(lock.call(Export::TaskSwitching_Enable_Disable, -1), 29);
    EXPECT_EQ(lock.call(Export::CtrlAltDel_Enable_Disable, 0), 40);
}

TEST(DlShellLock, missingOrUnreadableLibraryAnswersNothing) {
    TempFolder empty;
    DlShellLock none{empty.path()};
    EXPECT_FALSE(none.loaded());
    EXPECT_FALSE(none.loadError().empty());
    for (const auto which :
         {Export::Taskbar_Show_Hide, Export::Desktop_Show_Hide,
          Export::TaskSwitching_Enable_Disable, Export::CtrlAltDel_Enable_Disable}) {
        EXPECT_EQ(none.call(which, 0), std::nullopt) << ShellLock::name(which);
    }

    TempFolder garbled;
    std::ofstream(garbled / DlShellLock::kFileName) << "not a shared object";
    DlShellLock unreadable{garbled.path()};
    EXPECT_FALSE(unreadable.loaded());
    EXPECT_EQ(unreadable.call(Export::Taskbar_Show_Hide, -1), std::nullopt);
}

TEST(DlShellLock, libraryLackingOneExportFailsOnlyThatOne) {
    DlShellLock lock{ORVAN_WINLOCK_PARTIAL_FIXTURE};
    ASSERT_TRUE(lock.loaded()) << lock.loadError();

    EXPECT_EQ(lock.call(Export::Desktop_Show_Hide, -1), std::nullopt);
    EXPECT_EQ(lock.call(Export::Taskbar_Show_Hide, 0), 10);
    EXPECT_EQ(lock.call(Export::CtrlAltDel_Enable_Disable, -1), 39);
}

TEST(DlShellLock, extrasReachTheLibraryAndUnloadingTakesTheWindowsBack) {
    sinkLines.clear();
    int connection = 0;
    {
        DlShellLock lock{ORVAN_WINLOCK_FIXTURE};
        lock.setLogSink(collect);
        EXPECT_TRUE(lock.attachLockWindows(&connection, {7, 8}));
        lock.attachLockWindows(&connection, {});
        lock.attachLockWindows(&connection, {9});
    }
    // Without windows the connection stays lent: the grabs stay on it.
    EXPECT_EQ(sinkLines, (std::vector<std::string>{"sink set", "attached 2 from 7", "attached 0",
                                                   "attached 1 from 9", "detached"}));
}

TEST(DlShellLock, libraryPutBackIsLoadedAtTheNextCallAndGetsWhatTheHostLent) {
    sinkLines.clear();
    int connection = 0;
    TempFolder folder;
    {
        DlShellLock lock{folder.path()};
        lock.setLogSink(collect);
        lock.attachLockWindows(&connection, {5});
        EXPECT_EQ(lock.call(Export::Taskbar_Show_Hide, 0), std::nullopt);

        std::filesystem::copy_file(std::filesystem::path{ORVAN_WINLOCK_FIXTURE} /
                                       DlShellLock::kFileName,
                                   folder / DlShellLock::kFileName);
        EXPECT_EQ(lock.call(Export::Taskbar_Show_Hide, 0), 10);
        EXPECT_TRUE(lock.loaded());
    }
    EXPECT_EQ(sinkLines, (std::vector<std::string>{"sink set", "attached 1 from 5", "detached"}));
}

TEST(DlShellLock, extrasMissingFromTheLibraryDoNothing) {
    sinkLines.clear();
    int connection = 0;
    {
        DlShellLock older{ORVAN_WINLOCK_PARTIAL_FIXTURE};
        older.setLogSink(collect);
        EXPECT_FALSE(older.attachLockWindows(&connection, {7}));

        TempFolder empty;
        DlShellLock none{empty.path()};
        none.setLogSink(collect);
        EXPECT_FALSE(none.attachLockWindows(&connection, {7}));
    }
    EXPECT_TRUE(sinkLines.empty());
}

} // namespace
} // namespace orvan
