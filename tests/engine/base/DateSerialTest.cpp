#include "base/DateSerial.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace orvan {
namespace {

// A date from the server may hold any number; the extremes once overflowed the day
// arithmetic (undefined behaviour, caught by the sanitizers).
TEST(DateSerial, datesFarOutOfAnyCalendarAreHeldTenThousandYearsAway) {
    const auto earliest = DateSerial::partsOfUnixMillis(std::numeric_limits<std::int64_t>::min());
    const auto latest = DateSerial::partsOfUnixMillis(std::numeric_limits<std::int64_t>::max());
    EXPECT_LT(earliest.year, -7'000);
    EXPECT_GT(latest.year, 11'000);
    EXPECT_EQ(DateSerial::partsOfUnixMillis(0).year, 1970);
}

} // namespace
} // namespace orvan
