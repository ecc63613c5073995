#pragma once

#include <string>

namespace orvan {

// Durations (day fractions) as the customer and the settings see them.
class TimeFormat {
public:
    // Unit texts of the current language ("h", "mn", "sec").
    struct Units {
        std::string hours = "h";
        std::string minutes = "mn";
        std::string seconds = "sec";
    };

    // Modes: 0 "26:05:09"; 1 "2h 5mn"; 2 "2h 5mn 9sec"; 3 hours, then minutes and
    // seconds only when needed; 4 whole minutes "125"; 5 as 3 without zero parts.
    static std::string funFormatTime(double duration, int mode, const Units& units);
    // Whole minutes of a duration, counted in whole seconds first so that 2/1440
    // is 2 and not 1.99999.
    static long wholeMinutes(double duration);
};

} // namespace orvan
