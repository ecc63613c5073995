#pragma once

#include <string>

namespace orvan::cafe {

// Dates and durations as the wire carries them: days since 30 December 1899, the fraction
// being the time of day.
class DayNumber {
public:
    static constexpr double kUnixEpoch = 25569.0; // 1 January 1970
    static constexpr double kMinutesPerDay = 1440.0;

    static double fromUnix(double seconds, long utcOffsetSeconds);

    // Local wall time, because the workstation compares the server date with its own
    // local clock.
    static double now();

    static double fromMinutes(double minutes) { return minutes / kMinutesPerDay; }

    // Up to 15 significant digits, "." as the separator whatever the locale, and an upper
    // case "E" in the exponent form of very small values.
    static std::string format(double days);
};

} // namespace orvan::cafe
