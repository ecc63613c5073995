#include "base/TimeFormat.h"

#include <cmath>
#include <cstdio>

namespace orvan {
namespace {

struct Hms {
    long long hours;
    long long minutes;
    long long seconds;
};

Hms split(double duration) {
    const auto total = std::llround(std::abs(duration) * 86'400.0);
    return {total / 3600, total / 60 % 60, total % 60};
}

std::string hms(const Hms& t, bool withHours, bool withMinutes, bool withSeconds,
                const TimeFormat::Units& units) {
    std::string text;
    const auto add = [&text](long long value, const std::string& unit) {
        if (!text.empty()) {
            text += " ";
        }
        text += std::to_string(value) + unit;
    };
    if (withHours) {
        add(t.hours, units.hours);
    }
    if (withMinutes) {
        add(t.minutes, units.minutes);
    }
    if (withSeconds) {
        add(t.seconds, units.seconds);
    }
    return text;
}

} // namespace

std::string TimeFormat::funFormatTime(double duration, int mode, const Units& units) {
    const auto t = split(duration);
    switch (mode) {
    case 1:
        return hms(t, true, true, false, units);
    case 2:
        return hms(t, true, true, true, units);
    case 3:
        return hms(t, true, t.minutes != 0 || t.seconds != 0, t.seconds != 0, units);
    case 4:
        return std::to_string(t.hours * 60 + t.minutes);
    case 5:
        return hms(t, t.hours != 0, t.minutes != 0, t.seconds != 0, units);
    default: {
        char text[48];
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", t.hours, t.minutes, t.seconds);
        return text;
    }
    }
}

long TimeFormat::wholeMinutes(double duration) {
    const auto t = split(duration);
    return static_cast<long>(t.hours * 60 + t.minutes);
}

} // namespace orvan
