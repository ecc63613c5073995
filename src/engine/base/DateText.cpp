#include "base/DateText.h"

#include "base/DateSerial.h"

#include <cmath>

namespace orvan {
namespace {

std::string padded(int value, std::size_t width) {
    auto text = std::to_string(value);
    return text.size() < width ? std::string(width - text.size(), '0') + text : text;
}

// A field of the pattern: a run of one letter, rendered by its run length.
std::string field(char letter, std::size_t run, const DateSerial::Parts& t) {
    switch (letter) {
    case 'd':
        return padded(t.day, run >= 2 ? 2 : 1);
    case 'M':
        return padded(t.month, run >= 2 ? 2 : 1);
    case 'y':
        return run >= 3 ? padded(t.year, 4) : padded(t.year % 100, 2);
    case 'H':
        return padded(t.hour, run >= 2 ? 2 : 1);
    case 'h':
        return padded(t.hour % 12 == 0 ? 12 : t.hour % 12, run >= 2 ? 2 : 1);
    case 'm':
        return padded(t.minute, run >= 2 ? 2 : 1);
    case 's':
        return padded(t.second, run >= 2 ? 2 : 1);
    case 't':
        return run >= 2 ? (t.hour < 12 ? "AM" : "PM") : (t.hour < 12 ? "A" : "P");
    default:
        return std::string(run, letter);
    }
}

} // namespace

DateText::DateText(std::string shortDatePattern, std::string longTimePattern)
    : datePattern_(std::move(shortDatePattern))
    , timePattern_(std::move(longTimePattern)) {}

std::string DateText::format(double serial, const std::string& pattern) {
    // Whole seconds, as the system shows them.
    const auto t = DateSerial::parts(std::round(serial * 86'400.0) / 86'400.0);
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == pattern[i]) {
            ++run;
        }
        out += field(pattern[i], run, t);
        i += run;
    }
    return out;
}

std::string DateText::shortDate(double serial) const {
    return format(serial, datePattern_);
}

std::string DateText::longTime(double serial) const {
    return format(serial, timePattern_);
}

std::string DateText::generalDate(double serial) const {
    const double seconds = std::round(serial * 86'400.0);
    const bool atMidnight = std::fmod(seconds, 86'400.0) == 0.0;
    if (std::abs(serial) < 1.0) {
        return longTime(serial);
    }
    return atMidnight ? shortDate(serial) : shortDate(serial) + " " + longTime(serial);
}

} // namespace orvan
