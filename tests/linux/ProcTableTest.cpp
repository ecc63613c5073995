#include "ProcTable.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvan {
namespace {

// A proc file system of the test's making, for what the real one seldom shows.
class ProcTableTest : public testing::Test {
protected:
    void process(pid_t pid, const std::string& stat, const std::string& comm,
                 const std::string& exe) {
        const auto folder = root_ / std::to_string(pid);
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/stat") << stat;
        std::ofstream(folder + "/comm") << comm << "\n";
        if (!exe.empty()) {
            std::filesystem::create_symlink(exe, folder + "/exe");
        }
    }

    TempFolder root_;
    ProcTable table_{root_.path()};
};

TEST_F(ProcTableTest, readsTheFieldsBehindACommandNameHoldingSpacesAndParentheses) {
    process(42, "42 (a) b (c)) S 7 42 40 0 -1 4194560 5 0 0 0 1 2 0 0 20 0 1 0 98765 1 2\n",
            "a) b (c)", "/usr/bin/tool (deleted)");
    process(43, "43 (short) S 7 43 40 0 -1 4194560\n", "short", "");
    process(45, "45 (kworker/0:1) S 2 0 0 0 -1 69238880 0 0 0 0 0 0 0 0 20 0 1 0 12 0 0\n",
            "kworker/0:1", "");
    std::filesystem::create_directories(root_ / "self");
    EXPECT_EQ(table_.pids(), (std::vector<pid_t>{42, 43, 45})) << "only numbered folders";

    const auto info = table_.read(42);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->parent, 7);
    EXPECT_EQ(info->sessionLeader, 40);
    EXPECT_EQ(info->startTime, 98765u);
    EXPECT_EQ(info->uid, getuid());
    EXPECT_EQ(info->path, "/usr/bin/tool") << "a replaced program keeps its name";
    EXPECT_EQ(info->executable(), "tool");
    const auto unreadable = table_.read(45);
    ASSERT_TRUE(unreadable);
    EXPECT_EQ(unreadable->executable(), "kworker/0:1") << "without a file, the name it gave";

    EXPECT_FALSE(table_.read(43)) << "a line cut short is no process";
    EXPECT_FALSE(table_.read(44)) << "gone meanwhile";
    EXPECT_FALSE(table_.read(0));
}

TEST(ProcTableRealTest, readsThisProcess) {
    const auto self = ProcTable{}.read(getpid());
    ASSERT_TRUE(self);
    EXPECT_EQ(self->parent, getppid());
    EXPECT_EQ(self->sessionLeader, getsid(0));
    EXPECT_EQ(self->path, std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_GT(self->startTime, 0u);
}

} // namespace
} // namespace orvan
