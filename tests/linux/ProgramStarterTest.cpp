#include "ProgramStarter.h"

#include "TempFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace orvan {
namespace {

std::string contentsOnceWritten(const std::string& path, const std::string& last) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    std::string text;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(path);
        text.assign(std::istreambuf_iterator<char>(in), {});
        if (text.find(last) != std::string::npos) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return text;
}

TEST(ProgramStarter, eachArgumentReachesTheScriptWholeAndItsOutputGoesToTheLog) {
    TempFolder folder;
    const auto script = folder / "session_batch_start.bat";
    // Not executable, as a received file is: it runs through the shell as a script,
    // its arguments still apart.
    std::ofstream(script) << "echo \"count $#\"\nfor a in \"$@\"; do echo \"[$a]\"; done\n"
                             "echo done\n";
    const std::string identifier = "a \"b\" 'c'; $(touch " + (folder / "pwned") + ")\n`id`";
    const auto log = folder / "client.log";
    ProgramStarter starter;
    ASSERT_TRUE(starter.start({script, identifier, "server", "pc-07"}, log));
    const auto output = contentsOnceWritten(log, "done\n");
    EXPECT_EQ(output, "count 3\n[" + identifier + "]\n[server]\n[pc-07]\ndone\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));
}

TEST(ProgramStarter, aMissingProgramDoesNotStart) {
    TempFolder folder;
    ProgramStarter starter;
    EXPECT_FALSE(starter.start({}, folder / "log"));
    EXPECT_FALSE(starter.start({"/nonexistent/program"}, folder / "log"));
}

} // namespace
} // namespace orvan
