#include "DayNumber.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace orvan::cafe {

namespace {
constexpr double kSecondsPerDay = 86400.0;
constexpr int kSignificantDigits = 15;
} // namespace

double DayNumber::fromUnix(double seconds, long utcOffsetSeconds) {
    return (seconds + static_cast<double>(utcOffsetSeconds)) / kSecondsPerDay + kUnixEpoch;
}

double DayNumber::now() {
    timespec wall{};
    clock_gettime(CLOCK_REALTIME, &wall);
    tm local{};
    const time_t whole = wall.tv_sec;
    localtime_r(&whole, &local);
    const double seconds =
        static_cast<double>(wall.tv_sec) + static_cast<double>(wall.tv_nsec) / 1e9;
    return fromUnix(seconds, local.tm_gmtoff);
}

std::string DayNumber::format(double days) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, days, std::chars_format::general,
                                      kSignificantDigits);
    std::string formatted(text, result.ptr);
    std::replace(formatted.begin(), formatted.end(), 'e', 'E');
    return formatted;
}

} // namespace orvan::cafe
