// How the start-up benchmark starts and times programs: an inherited DISPLAY that
// slipped through would lock the desktop the benchmark runs on, a program left behind
// would hold the next run's display, and a window missed or a program that ended
// unnoticed would turn into a figure.

#include "StartupRun.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace orvan::bench {
namespace {

using Steady = std::chrono::steady_clock;

TEST(StartupRun, overridesReplaceInheritedVariablesOfTheSameNameOnly) {
    char display[] = "DISPLAY=:0";
    char lookalike[] = "DISPLAY_OLD=:1";
    char path[] = "PATH=/usr/bin";
    char* base[] = {display, lookalike, path, nullptr};

    const auto result = environmentWith({"DISPLAY=:9", "XDG_CONFIG_HOME=/scratch"}, base);

    EXPECT_EQ(std::count_if(result.begin(), result.end(),
                            [](const std::string& line) { return line.rfind("DISPLAY=", 0) == 0; }),
              1);
    const auto has = [&](const char* line) {
        return std::find(result.begin(), result.end(), line) != result.end();
    };
    EXPECT_TRUE(has("DISPLAY=:9"));
    EXPECT_TRUE(has("DISPLAY_OLD=:1"));
    EXPECT_TRUE(has("PATH=/usr/bin"));
    EXPECT_TRUE(has("XDG_CONFIG_HOME=/scratch"));
}

TEST(StartupRun, childWritesItsOutputAndOneThatIgnoresTermIsStoppedForGood) {
    const auto output = std::filesystem::temp_directory_path() /
                        ("orvan-bench-child-" + std::to_string(::getpid()) + ".txt");
    {
        ChildProgram talker({"/bin/sh", "-c", "echo ready >&2"}, environmentWith({}),
                            output.string());
        ASSERT_TRUE(talker.started());
        const auto bound = Steady::now() + std::chrono::seconds(5);
        while (!talker.exited() && Steady::now() < bound) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    std::ifstream in(output);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "ready");
    std::filesystem::remove(output);

    ChildProgram stubborn({"/bin/sh", "-c", "trap '' TERM; exec sleep 30"}, environmentWith({}),
                          "/dev/null", std::chrono::milliseconds(100));
    ASSERT_TRUE(stubborn.started());
    const pid_t pid = stubborn.pid();
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // past the trap
    const auto stopping = Steady::now();
    stubborn.stop();
    EXPECT_LT(Steady::now() - stopping, std::chrono::seconds(2));
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(StartupRun, timesTheBareWindowAndTheClientsLockScreenAndNotAProgramThatShowsNone) {
    const auto bare = millisToFullScreenWindow({"bare", {ORVAN_BARE_PROGRAM}, false, {}});
    ASSERT_TRUE(bare.has_value());
    EXPECT_GT(*bare, 0);

    const auto client = millisToFullScreenWindow({"client", {ORVAN_CLIENT_PROGRAM}, true, {}});
    EXPECT_TRUE(client.has_value()) << "the client did not show its lock screen without a server";

    // A program that ends without a window is noticed then, not waited for.
    const auto started = Steady::now();
    EXPECT_FALSE(millisToFullScreenWindow({"nothing", {"/bin/true"}, false, {}}).has_value());
    EXPECT_LT(Steady::now() - started, std::chrono::seconds(5)) << "the end went unnoticed";
}

} // namespace
} // namespace orvan::bench
