#include "RegistryFileStore.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvan {
namespace {

constexpr const char* kGeneral = "Software\\OrvanetixClient\\General";

// Reads compare as text, so that a failure shows what was read.
const std::string kMissing = "missing";

std::string shown(const SettingValue& value) {
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        return "dword " + std::to_string(*number);
    }
    return "string " + ::testing::PrintToString(std::get<std::string>(value));
}

std::string shown(const SettingRead& read) {
    return read.found() ? shown(read.value) : "missing";
}

// Runs `body` in a forked process, so that it may change process-wide state or
// compete with its siblings; its result comes back as the exit status.
template <typename Body>
pid_t spawn(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body() ? 0 : 1);
    }
    return pid;
}

bool succeeded(pid_t pid) {
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvan-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string machinePath() const { return folder_ + "/etc/machine.reg"; }
    std::string userPath() const { return folder_ + "/home/user.reg"; }

    static std::string slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static void put(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string folder_;
};

using RegistryFileStoreValues = TempFolder;
using RegistryFileStoreBadFiles = TempFolder;
using RegistryFileStoreFailures = TempFolder;
using RegistryFileStoreConcurrency = TempFolder;

TEST_F(RegistryFileStoreValues, AnyTextAndNumberSurvivesANewInstance) {
    const std::vector<std::pair<std::string, SettingValue>> values = {
        {"Quoted", std::string("say \"hi\"")},
        {"Path", std::string("C:\\Games\\")},
        {"Lines", std::string("one\ntwo\r\n\tthree")},
        {"Thai", std::string("ร้านเกม ชั่วโมงละ 20 บาท")},
        {"Empty", std::string()},
        {"Bytes", std::string("nul\0\x7f\xff\xc3", 7)},
        {"we\"ird\\ name\n", std::string("x")},
        {"Zero", 0u},
        {"Max", 0xFFFFFFFFu},
    };
    {
        RegistryFileStore store(machinePath(), userPath());
        for (const auto& [name, value] : values) {
            ASSERT_TRUE(store.write(Hive::Machine, kGeneral, name, value)) << name;
        }
        EXPECT_TRUE(store.flush(Hive::Machine));
    }
    RegistryFileStore reopened(machinePath(), userPath());
    for (const auto& [name, value] : values) {
        EXPECT_EQ(shown(reopened.read(Hive::Machine, kGeneral, name)), shown(value)) << name;
    }
    EXPECT_EQ(shown(reopened.read(Hive::Machine, kGeneral, "Absent")), kMissing);
    EXPECT_TRUE(reopened.takeProblems().empty());
}

TEST_F(RegistryFileStoreValues, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    RegistryFileStore store(machinePath(), userPath());
    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Workstation Name", std::string("pc1")));
    ASSERT_TRUE(store.write(Hive::Machine, "SOFTWARE\\orvanetixclient\\GENERAL", "WORKSTATION NAME",
                            std::string("pc2")));

    EXPECT_EQ(
        shown(store.read(Hive::Machine, "software\\OrvanetixClient\\general", "workstation name")),
        shown(std::string("pc2")));
    EXPECT_EQ(slurp(machinePath()), "Windows Registry Editor Version 5.00\n\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
                                    "\"Workstation Name\"=\"pc2\"\n\n");
}

TEST_F(RegistryFileStoreValues, KeysExistWithParentsAndWithoutValues) {
    put(machinePath(), "Windows Registry Editor Version 5.00\n\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Empty]\n\n");
    RegistryFileStore store(machinePath(), userPath());
    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Port", 4646u));

    EXPECT_TRUE(store.keyExists(Hive::Machine, "Software\\OrvanetixClient\\Empty"));
    EXPECT_TRUE(store.keyExists(Hive::Machine, "software\\orvanetixclient"));
    EXPECT_TRUE(store.keyExists(Hive::Machine, "Software"));
    EXPECT_FALSE(store.keyExists(Hive::Machine, "Software\\Orvanetix"));
    EXPECT_FALSE(store.keyExists(Hive::Machine, "Software\\OrvanetixClient\\General\\Sub"));
    EXPECT_FALSE(store.keyExists(Hive::Machine, ""));
    EXPECT_FALSE(store.keyExists(Hive::User, "Software"));

    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Keep", 1u));
    ASSERT_TRUE(store.remove(Hive::Machine, kGeneral, "port"));
    EXPECT_TRUE(store.remove(Hive::Machine, kGeneral, "Port")) << "absent values remove fine";
    EXPECT_TRUE(store.remove(Hive::Machine, "Software\\Other", "Keep"));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), kMissing);
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Keep")), shown(1u));
    EXPECT_TRUE(store.keyExists(Hive::Machine, kGeneral));

    EXPECT_TRUE(store.remove(Hive::User, kGeneral, "Port"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(userPath()).parent_path()));
}

TEST_F(RegistryFileStoreValues, HivesAreKeptApartAndPermissionsKept) {
    RegistryFileStore store(machinePath(), userPath());
    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Owner", std::string("machine")));
    ASSERT_TRUE(store.write(Hive::User, kGeneral, "Owner", std::string("user")));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Owner")), shown(std::string("machine")));
    EXPECT_EQ(shown(store.read(Hive::User, kGeneral, "Owner")), shown(std::string("user")));
    EXPECT_NE(slurp(userPath()).find("[HKEY_CURRENT_USER\\Software"), std::string::npos);

    ASSERT_EQ(::chmod(machinePath().c_str(), 0640), 0);
    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Owner", std::string("changed")));
    struct stat status {};
    ASSERT_EQ(::stat(machinePath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(RegistryFileStoreValues, FileHoldsExactlyTheExpectedText) {
    put(machinePath(), "Windows Registry Editor Version 5.00\n\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
                       "\"Workstation Name\"=\"pc1\"\n"
                       "\"Standalone Workstation\"=dword:00000001\n\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Server]\n"
                       "\"Port\"=\"4646\"\n");
    RegistryFileStore store(machinePath(), userPath());
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Standalone Workstation")), shown(1u));

    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Workstation Name", std::string("a\"b\\c\n")));
    ASSERT_TRUE(store.write(Hive::Machine, "Software\\OrvanetixClient\\Server", "Retries", 255u));
    ASSERT_TRUE(store.write(Hive::Machine, "Software\\OrvanetixClient\\Update", "Url",
                            std::string("http://10.0.0.1/")));
    EXPECT_EQ(slurp(machinePath()), "Windows Registry Editor Version 5.00\n\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
                                    "\"Workstation Name\"=\"a\\\"b\\\\c\\x0a\"\n"
                                    "\"Standalone Workstation\"=dword:00000001\n\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Server]\n"
                                    "\"Port\"=\"4646\"\n"
                                    "\"Retries\"=dword:000000ff\n\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Update]\n"
                                    "\"Url\"=\"http://10.0.0.1/\"\n\n");
}

TEST_F(RegistryFileStoreBadFiles, GarbledLinesAreReportedOnceAndDroppedOnWrite) {
    const std::vector<std::string> lines = {
        "\"Early\"=\"before any section\"",     // 1: no header, no section
        "Windows Registry Editor Version 5.00", // 2: too late to be the header
        "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]",
        "\"Good\"=\"yes\"",
        "\"NoEquals\" \"x\"",        // 5
        "\"Hex\"=hex:01,02",         // 6
        "\"Open\"=\"abc",            // 7
        "\"Escape\"=\"a\\qb\"",      // 8
        "\"Latin\"=\"caf\xe9\"",     // 9
        "\"Digits\"=dword:0000000g", // 10
        "\"Long\"=dword:000000001",  // 11
        "\"Trailing\"=\"x\" y",      // 12
        "just junk",                 // 13
        "\"Number\"=dword:2a",
        "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Cut", // 15
        "\"Lost\"=\"under a broken header\"",
        "[HKEY_CURRENT_USER\\Software\\OrvanetixClient\\General]", // 17: other hive's root
        "\"User\"=\"not here\"",
        "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]",
        "\"Later\"=\"kept\"",
    };
    std::string text;
    for (const auto& line : lines) {
        text += line + "\n";
    }
    put(machinePath(), text);
    RegistryFileStore store(machinePath(), userPath());

    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Good")), shown(std::string("yes")));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Number")), shown(42u));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Later")), shown(std::string("kept")));
    for (const char* name : {"Early", "NoEquals", "Hex", "Open", "Escape", "Latin", "Digits",
                             "Long", "Trailing", "User"}) {
        EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, name)), kMissing) << name;
    }
    EXPECT_EQ(shown(store.read(Hive::Machine, "Software\\OrvanetixClient\\Cut", "Lost")), kMissing);

    const auto problems = store.takeProblems();
    std::vector<int> expected = {1, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 17};
    ASSERT_EQ(problems.size(), expected.size()) << ::testing::PrintToString(problems);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(problems[i].rfind(machinePath() + ":" + std::to_string(expected[i]) + ": ", 0),
                  0u)
            << problems[i];
        EXPECT_LT(problems[i].size(), machinePath().size() + 150);
    }
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Good")), shown(std::string("yes")));
    EXPECT_TRUE(store.takeProblems().empty()) << "an unchanged file is reported once";

    // Writing what is already there still rewrites the file without the bad lines.
    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Good", std::string("yes")));
    EXPECT_EQ(slurp(machinePath()), "Windows Registry Editor Version 5.00\n\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
                                    "\"Good\"=\"yes\"\n"
                                    "\"Number\"=dword:0000002a\n"
                                    "\"Later\"=\"kept\"\n\n");
}

TEST_F(RegistryFileStoreBadFiles, HandEditedFilesAreTolerated) {
    put(machinePath(), "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\r\n"
                       "  \"Name\" =  \"pc7\"  \r\n"
                       "\"Flags\"\t=\tDWORD:0000ABCD\r\n");
    RegistryFileStore store(machinePath(), userPath());
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Name")), shown(std::string("pc7")));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Flags")), shown(0xABCDu));
    EXPECT_TRUE(store.takeProblems().empty());
}

TEST_F(RegistryFileStoreBadFiles, TruncatedFileKeepsEveryCompleteLine) {
    const std::vector<std::pair<std::string, SettingValue>> values = {
        {"Name", std::string("pc\"1\"")}, {"Standalone", 1u},
        {"Thai", std::string("สวัสดี")},    {"Limit", 0xFFFFFFFFu},
        {"Tail", std::string("a\\b")},
    };
    {
        RegistryFileStore store(machinePath(), userPath());
        for (const auto& [name, value] : values) {
            ASSERT_TRUE(store.write(Hive::Machine, kGeneral, name, value));
        }
    }
    const std::string full = slurp(machinePath());
    for (std::size_t length = 0; length < full.size(); ++length) {
        const std::string prefix = full.substr(0, length);
        put(machinePath(), prefix);
        RegistryFileStore store(machinePath(), userPath());
        for (const auto& [name, value] : values) {
            const auto lineEnd = full.find('\n', full.find("\"" + name + "\"="));
            if (lineEnd < length) {
                EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, name)), shown(value))
                    << name << " at length " << length;
            } else {
                store.read(Hive::Machine, kGeneral, name);
            }
        }
        if (length < std::string_view("Windows Registry Editor Version 5.00").size()) {
            EXPECT_FALSE(store.takeProblems().empty()) << "length " << length;
        }
    }
}

TEST_F(RegistryFileStoreBadFiles, JunkAndEmptyFilesAreReportedThenReplaced) {
    std::mt19937 random(7);
    std::string junk(256 * 1024, '\0');
    for (char& byte : junk) {
        byte = static_cast<char>(random() % 256);
    }
    for (const std::string& content : {junk, std::string()}) {
        put(machinePath(), content);
        RegistryFileStore store(machinePath(), userPath());
        EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), kMissing);
        const auto problems = store.takeProblems();
        EXPECT_FALSE(problems.empty());
        EXPECT_LE(problems.size(), 21u) << "junk must not flood the log";

        ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Port", std::string("4646")));
        RegistryFileStore reopened(machinePath(), userPath());
        EXPECT_EQ(shown(reopened.read(Hive::Machine, kGeneral, "Port")),
                  shown(std::string("4646")));
        EXPECT_TRUE(reopened.takeProblems().empty());
    }
}

TEST_F(RegistryFileStoreBadFiles, UnreadableFileIsReportedAndNeverReplaced) {
    // Root reads any file, so the hive is made unreadable by being a folder.
    std::filesystem::create_directories(machinePath());
    RegistryFileStore store(machinePath(), userPath());
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), kMissing);
    EXPECT_FALSE(store.keyExists(Hive::Machine, kGeneral));
    EXPECT_EQ(store.takeProblems().size(), 1u);

    EXPECT_FALSE(store.write(Hive::Machine, kGeneral, "Port", std::string("4646")));
    EXPECT_FALSE(store.remove(Hive::Machine, kGeneral, "Port"));
    EXPECT_TRUE(std::filesystem::is_directory(machinePath()));
}

// The store keeps what it read until the file changes; these edits must be seen.
TEST_F(RegistryFileStoreBadFiles, EditsBehindTheStoresBackAreSeen) {
    const auto hive = [](const std::string& port) {
        return "Windows Registry Editor Version 5.00\n\n"
               "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
               "\"Port\"=\"" +
               port + "\"\n";
    };
    // An old file, as on a workstation set up long ago, so that it counts as settled.
    const auto putOld = [&](const std::string& text) {
        put(machinePath(), text);
        const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, machinePath().c_str(), hourAgo, 0), 0);
    };
    putOld(hive("4646"));
    RegistryFileStore store(machinePath(), userPath());
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), shown(std::string("4646")));

    // Rewritten in place with the same size, at once and again a moment later.
    put(machinePath(), hive("4747"));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), shown(std::string("4747")));
    put(machinePath(), hive("4848"));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), shown(std::string("4848")));
    // Replaced by a file with an old time stamp.
    putOld(hive("4949"));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), shown(std::string("4949")));

    // Bad content still takes the failure path: reported, and the value is gone.
    put(machinePath(), "\"Port\"=\"5050\"\n");
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), kMissing);
    EXPECT_FALSE(store.takeProblems().empty());
    // So does a file taken away, and one that can no longer be read.
    std::filesystem::remove(machinePath());
    EXPECT_FALSE(store.keyExists(Hive::Machine, kGeneral));
    std::filesystem::create_directories(machinePath());
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), kMissing);
    EXPECT_EQ(store.takeProblems().size(), 1u);
}

TEST_F(RegistryFileStoreValues, ReadsAfterWritesGiveTheWrittenValue) {
    RegistryFileStore store(machinePath(), userPath());
    RegistryFileStore other(machinePath(), userPath());
    for (std::uint32_t round = 0; round < 20; ++round) {
        ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Round", round));
        EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Round")), shown(round));
        // Another process's store reads what this one wrote, and the other way round.
        EXPECT_EQ(shown(other.read(Hive::Machine, kGeneral, "Round")), shown(round));
        ASSERT_TRUE(other.write(Hive::Machine, kGeneral, "Other", round));
        EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Other")), shown(round));
    }
}

TEST_F(RegistryFileStoreFailures, WriteFailsWhenTheFolderCannotBeMade) {
    const std::string blocker = folder_ + "/not-a-folder";
    put(blocker, "keep me");
    RegistryFileStore store(blocker + "/machine.reg", blocker + "/sub/user.reg");
    EXPECT_FALSE(store.write(Hive::Machine, kGeneral, "Port", 1u));
    EXPECT_FALSE(store.write(Hive::User, kGeneral, "Port", 1u));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Port")), kMissing);
    EXPECT_EQ(slurp(blocker), "keep me");
}

TEST_F(RegistryFileStoreFailures, FailedWriteLeavesTheFileIntact) {
    {
        RegistryFileStore store(machinePath(), userPath());
        ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Port", std::string("4646")));
    }
    const std::string before = slurp(machinePath());
    // A file size limit makes the write fail midway, as a full disk would, even for root.
    const pid_t child = spawn([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() + 16, before.size() + 16};
        RegistryFileStore store(machinePath(), userPath());
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
               !store.write(Hive::Machine, kGeneral, "Big", std::string(4096, 'x')) &&
               shown(store.read(Hive::Machine, kGeneral, "Big")) == kMissing;
    });
    EXPECT_TRUE(succeeded(child));
    EXPECT_EQ(slurp(machinePath()), before);
}

TEST_F(RegistryFileStoreConcurrency, ForkedWritersLoseNothingAndReadersSeeWholeFiles) {
    constexpr int kWriters = 4;
    constexpr int kValuesEach = 50;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        children.push_back(spawn([&] {
            RegistryFileStore store(machinePath(), userPath());
            for (int i = 0; i < kValuesEach; ++i) {
                const std::string name = "w" + std::to_string(writer) + "v" + std::to_string(i);
                if (!store.write(Hive::Machine, kGeneral, name, static_cast<std::uint32_t>(i))) {
                    return false;
                }
            }
            return true;
        }));
    }
    children.push_back(spawn([&] {
        RegistryFileStore store(machinePath(), userPath());
        for (int i = 0; i < 200; ++i) {
            store.read(Hive::Machine, kGeneral, "w0v0");
        }
        return store.takeProblems().empty();
    }));
    for (const pid_t child : children) {
        EXPECT_TRUE(succeeded(child));
    }

    RegistryFileStore store(machinePath(), userPath());
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kValuesEach; ++i) {
            const std::string name = "w" + std::to_string(writer) + "v" + std::to_string(i);
            EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, name)),
                      shown(static_cast<std::uint32_t>(i)))
                << name;
        }
    }
    EXPECT_TRUE(store.takeProblems().empty());
}

TEST_F(RegistryFileStoreConcurrency, LockHeldForEverDelaysButNeverFreezes) {
    RegistryFileStore store(machinePath(), userPath());
    ASSERT_TRUE(store.write(Hive::Machine, kGeneral, "Before", std::string("kept")));
    // Any local user can open the lock file and hold the lock.
    const int blocker = ::open((machinePath() + ".lock").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(blocker, 0);
    ASSERT_EQ(::flock(blocker, LOCK_EX), 0);
    auto attempt = std::async(std::launch::async, [&] {
        return !store.write(Hive::Machine, kGeneral, "During", std::string("x")) &&
               shown(store.read(Hive::Machine, kGeneral, "Before")) == shown(std::string("kept"));
    });
    const bool finished = attempt.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    ::close(blocker); // lets a write that waits without a bound go, so the test ends
    ASSERT_TRUE(finished) << "the wait for the lock has no bound";
    EXPECT_TRUE(attempt.get()) << "the write fails unlocked, the read carries on";
    const auto problems = store.takeProblems();
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems.front().find("lock busy"), std::string::npos) << problems.front();
    EXPECT_TRUE(store.write(Hive::Machine, kGeneral, "After", std::string("y")));
    EXPECT_EQ(shown(store.read(Hive::Machine, kGeneral, "Before")), shown(std::string("kept")));
}

} // namespace
} // namespace orvan
