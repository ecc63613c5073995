#include "link/StoredSnapshot.h"

#include "base/Utf8.h"
#include "link/SessionSnapshot.h"
#include "wire/WireFormat.h"
#include "wire/WireNumbers.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace orvan {
namespace {

constexpr std::size_t kFixedFields = 7; // id, type, four counters, time of writing
constexpr std::size_t kLoginField = 7;

} // namespace

bool StoredSnapshot::wellFormed(std::string_view stored, const WireNumbers& numbers) {
    if (WireFormat::holdsMarker(stored)) {
        return false;
    }
    const auto fields = WireFormat::funSplit(stored, "#");
    if (fields.size() < kFixedFields ||
        !wholeNumber(fields[0], std::numeric_limits<std::int32_t>::max()) ||
        !wholeNumber(fields[1], std::numeric_limits<std::int16_t>::max())) {
        return false;
    }
    const bool cut = Utf8::length(stored) >= SessionSnapshot::kLength;
    const auto type = fields[1];
    const bool withLogin = type == "2" || type == "4";
    const std::size_t count = type == "1" ? kFixedFields + 1
                              : withLogin ? kFixedFields + 2
                                          : kFixedFields;
    // Only a login long enough to reach the cut can shorten the snapshot.
    if (fields.size() != count && !(cut && withLogin && fields.size() == count - 1)) {
        return false;
    }
    for (std::size_t i = 2; i < fields.size(); ++i) {
        if (withLogin && i == kLoginField) {
            continue; // the login: any text without "#" (the split saw to that)
        }
        const bool maybeCut = cut && i + 1 == fields.size();
        if (!(maybeCut ? numberCharacters(fields[i]) : number(fields[i], numbers))) {
            return false;
        }
    }
    return true;
}

bool StoredSnapshot::wholeNumber(std::string_view field, long limit) {
    long value = 0;
    const auto* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return !field.empty() && error == std::errc{} && stop == end && value >= -limit - 1 &&
           value <= limit;
}

bool StoredSnapshot::number(std::string_view field, const WireNumbers& numbers) {
    return numberCharacters(field) && numbers.parse(field).has_value();
}

// As the snapshot writes numbers: digits, the point, signs and the exponent letter.
bool StoredSnapshot::numberCharacters(std::string_view field) {
    return !field.empty() && field.find_first_not_of("0123456789.+-Ee") == std::string_view::npos;
}

} // namespace orvan
