#include "WinLockApi.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvan::winlock {
namespace {

std::vector<std::string> lines;

void collect(const char* line) {
    lines.emplace_back(line);
}

TEST(NoDisplay, everySwitchAnswersFailureAndReports) {
    WinLock_SetLogSink(collect);
    for (const char* display : {"", ":4242"}) {
        setenv("DISPLAY", display, 1);
        lines.clear();
        for (const std::int32_t flag : {0, -1, 0}) {
            EXPECT_EQ(TaskSwitching_Enable_Disable(flag), 0) << display;
            EXPECT_EQ(CtrlAltDel_Enable_Disable(flag), 0) << display;
            EXPECT_EQ(Desktop_Show_Hide(flag), 0) << display;
            EXPECT_EQ(Taskbar_Show_Hide(flag), 0) << display;
        }
        EXPECT_EQ(lines.size(), 12u);
    }
    WinLock_SetLogSink(nullptr);
    unsetenv("DISPLAY");
}

} // namespace
} // namespace orvan::winlock
