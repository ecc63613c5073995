#include "LinuxClock.h"

#include "ScopedEnv.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/timerfd.h>

namespace orvan {
namespace {

using namespace std::chrono;

TEST(LinuxClock, ReadsMillisecondsOfTheRightClocks) {
    const LinuxClock clock;
    const auto systemNow = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    EXPECT_NEAR(static_cast<double>(clock.utcMillis()), static_cast<double>(systemNow.count()),
                5000.0);

    double uptimeSeconds = 0;
    std::ifstream("/proc/uptime") >> uptimeSeconds;
    EXPECT_NEAR(static_cast<double>(clock.millisSinceBoot()), uptimeSeconds * 1000, 5000.0);
}

TEST(LinuxClock, TimerIsArmedForTheNextWholeMinute) {
    const LinuxClock clock;
    ASSERT_GE(clock.timeChangeFd(), 0);
    itimerspec left{};
    ASSERT_EQ(timerfd_gettime(clock.timeChangeFd(), &left), 0);
    const auto wait = seconds(left.it_value.tv_sec) + nanoseconds(left.it_value.tv_nsec);
    EXPECT_GT(wait, nanoseconds(0));
    EXPECT_LE(wait, seconds(61));
}

TEST(LinuxClock, RaisesOnlyWhenTheOffsetMoves) {
    std::int64_t offset = 7 * 3600 * 1000;
    LinuxClock clock([&] { return offset; });
    int raised = 0;
    clock.setTimeChangedHandler([&] { ++raised; });

    clock.checkOffset();
    EXPECT_EQ(raised, 0);

    offset += 3600 * 1000; // daylight saving begins
    clock.checkOffset();
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(clock.utcOffsetMillis(), offset);

    clock.checkOffset();
    EXPECT_EQ(raised, 1);
}

TEST(LinuxClock, ReadableWithoutExpiryRaisesNothingAndStaysArmed) {
    LinuxClock clock([] { return std::int64_t{0}; });
    int raised = 0;
    clock.setTimeChangedHandler([&] { ++raised; });

    clock.onTimeChangeFdReadable();
    EXPECT_EQ(raised, 0);
    itimerspec left{};
    ASSERT_EQ(timerfd_gettime(clock.timeChangeFd(), &left), 0);
    EXPECT_TRUE(left.it_value.tv_sec != 0 || left.it_value.tv_nsec != 0);
}

TEST(LinuxClock, SeesTimeZoneChangedWhileRunning) {
    {
        const ScopedEnv zone("TZ", "UTC0");
        LinuxClock clock;
        EXPECT_EQ(clock.utcOffsetMillis(), 0);
        int raised = 0;
        clock.setTimeChangedHandler([&] { ++raised; });

        setenv("TZ", "<+0530>-5:30", 1);
        clock.checkOffset();
        EXPECT_EQ(raised, 1);
        EXPECT_EQ(clock.utcOffsetMillis(), (5 * 60 + 30) * 60 * 1000);
    }
    tzset(); // leave the C library on the machine's zone again
}

} // namespace
} // namespace orvan
