#pragma once

#include <cstdint>

namespace orvan {

// The system's date-time double: whole days since 30 December 1899, the fraction
// being the time of day (1.0 = 24 hours). Durations use the same unit.
class DateSerial {
public:
    struct Parts {
        int year = 1899;
        int month = 12;
        int day = 30;
        int hour = 0;
        int minute = 0;
        int second = 0;
        int millisecond = 0;
    };

    static constexpr double kMillisPerDay = 86'400'000.0;
    static constexpr double kSecond = 1.0 / 86'400.0;
    static constexpr double kMinute = 1.0 / 1'440.0;
    static constexpr double kHour = 1.0 / 24.0;

    static double fromUnixMillis(std::int64_t millis);
    static std::int64_t toUnixMillis(double serial);
    // Calendar fields of a Unix time in milliseconds (no time zone applied).
    static Parts partsOfUnixMillis(std::int64_t millis);
    // Calendar fields of a serial, rounded to the millisecond.
    static Parts parts(double serial);
    static double fromParts(const Parts& parts);
    static double timeOfDay(double serial);
};

} // namespace orvan
