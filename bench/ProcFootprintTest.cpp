// The footprint benchmark's reading of /proc: a line whose name only begins like the
// one asked for ("Pss_Dirty" for "Pss") would give the wrong memory, and the processor
// time of the main thread alone would miss the work of the others (Qt reads the X
// connection on a thread of its own).

#include "ProcFootprint.h"

#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvan::bench {
namespace {

double rusageSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TEST(ProcFootprint, readsTheLineAskedForAndNoLookalike) {
    const char* rollup = "5600-7ffe ---p 00000000 00:00 0   [rollup]\n"
                         "Rss:                1708 kB\n"
                         "Pss_Dirty:           112 kB\n"
                         "Pss:                 199 kB\n"
                         "Private_Clean:        40 kB\n";
    EXPECT_EQ(ProcFootprint::kilobytes(rollup, "Rss"), 1708);
    EXPECT_EQ(ProcFootprint::kilobytes(rollup, "Pss"), 199);
    EXPECT_EQ(ProcFootprint::kilobytes(rollup, "Private_Clean"), 40);
    EXPECT_FALSE(ProcFootprint::kilobytes(rollup, "Private_Dirty").has_value());
    EXPECT_FALSE(ProcFootprint::kilobytes("Rss: lots kB\n", "Rss").has_value());
}

// Each mapping's Rss goes to the kind its header line names; a path with spaces, a
// deleted shared segment and a field line that looks like a header do not mislead it.
TEST(ProcFootprint, sortsResidentMemoryByKindOfMapping) {
    const char* smaps = "5600-5700 rw-p 00000000 00:00 0            [heap]\n"
                        "Rss:                2048 kB\n"
                        "Private_Dirty:       2048 kB\n"
                        "7f00-7f10 rw-p 00000000 00:00 0 \n"
                        "Rss:                 512 kB\n"
                        "7f10-7f20 rw-s 00000000 00:01 18423      /memfd:xorg (deleted)\n"
                        "Rss:                1024 kB\n"
                        "7f20-7f30 rw-s 00000000 00:01 7         /SYSV00000000 (deleted)\n"
                        "Rss:                1024 kB\n"
                        "7f30-7f40 r-xp 00000000 fe:00 33        /usr/share/my fonts/a b.ttf\n"
                        "Rss:                 256 kB\n"
                        "VmFlags: rd ex mr mw me\n"
                        "7ffc-7ffd rw-p 00000000 00:00 0          [stack]\n"
                        "Rss:                 128 kB\n";
    const auto where = ProcFootprint::breakdownOf(smaps);
    EXPECT_DOUBLE_EQ(where.heap, 2.0);
    EXPECT_DOUBLE_EQ(where.anonymous, 0.5);
    EXPECT_DOUBLE_EQ(where.shared, 2.0);
    EXPECT_DOUBLE_EQ(where.files, 0.25);
    EXPECT_DOUBLE_EQ(where.other, 0.125);
    const auto nothing = ProcFootprint::breakdownOf("Rss: 4 kB\nnonsense\n\n");
    EXPECT_DOUBLE_EQ(nothing.heap + nothing.anonymous + nothing.shared + nothing.files, 0);
}

TEST(ProcFootprint, followsThisProcessAndAllItsThreadsAndNotOneThatIsGone) {
    const auto before = ProcFootprint::read(getpid());
    ASSERT_TRUE(before.has_value());
    constexpr std::size_t kTouched = 64U << 20U;
    const auto block = std::make_unique<char[]>(kTouched);
    std::memset(block.get(), 1, kTouched);
    // Most of the processor time on a second thread, still running when read.
    std::atomic<bool> stop{false};
    std::atomic<bool> spun{false};
    std::thread worker([&] {
        const double spinUntil = rusageSeconds() + 0.2;
        while (rusageSeconds() < spinUntil) {
        }
        spun = true;
        spun.notify_one();
        stop.wait(false);
    });
    spun.wait(false);
    const double usedBefore = rusageSeconds();
    const auto after = ProcFootprint::read(getpid());
    const double usedAfter = rusageSeconds();
    stop = true;
    stop.notify_one();
    worker.join();
    ASSERT_TRUE(after.has_value());
    EXPECT_GE(after->rssMib - before->rssMib, 60) << "64 MiB were touched";
    EXPECT_GE(after->privateMib - before->privateMib, 60);
    EXPECT_GE(after->rssMib, after->pssMib);
    // The two clocks of the kernel differ by a few milliseconds.
    EXPECT_GE(after->cpuSeconds, usedBefore - 0.02);
    EXPECT_LE(after->cpuSeconds, usedAfter + 0.02);
    EXPECT_GT(block[kTouched - 1], 0);

    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(ProcFootprint::read(child).has_value());
}

} // namespace
} // namespace orvan::bench
