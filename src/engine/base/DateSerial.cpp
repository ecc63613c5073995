#include "base/DateSerial.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace orvan {
namespace {

constexpr std::int64_t kMillisInDay = 86'400'000;
constexpr std::int64_t kMillisInTenThousandYears = kMillisInDay * 3'652'425;
// 1 January 1970 as a serial.
constexpr std::int64_t kUnixEpochSerial = 25'569;

std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    const auto quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

} // namespace

double DateSerial::fromUnixMillis(std::int64_t millis) {
    return static_cast<double>(kUnixEpochSerial) +
           static_cast<double>(millis) / DateSerial::kMillisPerDay;
}

std::int64_t DateSerial::toUnixMillis(double serial) {
    return std::llround((serial - static_cast<double>(kUnixEpochSerial)) * kMillisPerDay);
}

DateSerial::Parts DateSerial::partsOfUnixMillis(std::int64_t millis) {
    using namespace std::chrono;
    // A date from the wire may be anything: beyond ten thousand years either way it is
    // held there, so that the day arithmetic below cannot overflow.
    millis = std::clamp(millis, -kMillisInTenThousandYears, kMillisInTenThousandYears);
    const auto days = floorDiv(millis, kMillisInDay);
    const auto inDay = millis - days * kMillisInDay;
    const year_month_day date{sys_days{std::chrono::days{days}}};
    Parts parts;
    parts.year = static_cast<int>(date.year());
    parts.month = static_cast<int>(static_cast<unsigned>(date.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.hour = static_cast<int>(inDay / 3'600'000);
    parts.minute = static_cast<int>(inDay / 60'000 % 60);
    parts.second = static_cast<int>(inDay / 1'000 % 60);
    parts.millisecond = static_cast<int>(inDay % 1'000);
    return parts;
}

DateSerial::Parts DateSerial::parts(double serial) {
    return partsOfUnixMillis(toUnixMillis(serial));
}

double DateSerial::fromParts(const Parts& parts) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{parts.year} / parts.month / parts.day};
    const std::int64_t millis = date.time_since_epoch().count() * kMillisInDay +
                                ((parts.hour * 60LL + parts.minute) * 60 + parts.second) * 1000 +
                                parts.millisecond;
    return fromUnixMillis(millis);
}

double DateSerial::timeOfDay(double serial) {
    return serial - std::floor(serial);
}

} // namespace orvan
