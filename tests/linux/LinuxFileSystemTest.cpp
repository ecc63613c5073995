#include "LinuxFileSystem.h"

#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orvan {
namespace {

class LinuxFileSystemTest : public ::testing::Test {
protected:
    TempFolder folder;
    LinuxFileSystem files;
};

TEST_F(LinuxFileSystemTest, AppendCreatesThenAppends) {
    const std::string log = folder / "client.log";
    ASSERT_TRUE(files.append(log, "one\n"));
    ASSERT_TRUE(files.append(log, std::string_view("two\0\n", 5)));
    EXPECT_EQ(files.read(log), std::string("one\ntwo\0\n", 9));
    EXPECT_EQ(files.fileSize(log), 9u);
}

TEST_F(LinuxFileSystemTest, WriteReplacesWholeAndLeavesNoTemporary) {
    const std::string settings = folder / "settings.ini";
    ASSERT_TRUE(files.write(settings, "a much longer first version"));
    chmod(settings.c_str(), 0600);
    ASSERT_TRUE(files.write(settings, "short"));

    EXPECT_EQ(files.read(settings), "short");
    struct stat info {};
    ASSERT_EQ(stat(settings.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(LinuxFileSystemTest, FailuresAnswerInsteadOfThrowing) {
    EXPECT_EQ(files.read(folder / "missing"), std::nullopt);
    EXPECT_EQ(files.read(folder.path()), std::nullopt); // a folder is no file
    EXPECT_EQ(files.fileSize(folder / "missing"), std::nullopt);
    EXPECT_EQ(files.fileSize(folder.path()), std::nullopt);
    EXPECT_FALSE(files.write(folder / "no/such/folder/file", "x"));
    EXPECT_TRUE(files.listFiles(folder / "missing").empty());
}

TEST_F(LinuxFileSystemTest, ListFilesNamesOnlyPlainFilesSorted) {
    ASSERT_TRUE(files.write(folder / "b.txt", ""));
    ASSERT_TRUE(files.write(folder / "a.txt", ""));
    ASSERT_TRUE(files.createFolder(folder / "c.folder"));
    EXPECT_EQ(files.listFiles(folder.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

} // namespace
} // namespace orvan
