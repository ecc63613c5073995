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
