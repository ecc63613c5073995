#include "wire/WireNumbers.h"

#include "base/AppError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace orvan {
namespace {

// The runtime's general format: "E" and a sign and at least two exponent digits.
template <class T>
std::string general(T value, int digits) {
    if (!std::isfinite(value)) {
        return {};
    }
    // Negative zero included. The status report sends several counters every half
    // second, most of them zero while no session runs.
    if (value == 0) {
        return "0";
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::replace(buffer, result.ptr, 'e', 'E');
    return std::string(buffer, result.ptr);
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

WireNumbers::WireNumbers(std::string decimalSeparator)
    : decimalSeparator_(decimalSeparator.empty() ? "." : std::move(decimalSeparator)) {}

std::string WireNumbers::funDblToStr(double value) const {
    return general(value, 15);
}

std::string WireNumbers::funSngToStr(float value) const {
    return general(value, 7);
}

std::optional<double> WireNumbers::parse(std::string_view text) const {
    text = trimmed(text);
    std::string normalised{text};
    if (decimalSeparator_ != ".") {
        for (std::size_t at = 0; (at = normalised.find(decimalSeparator_, at)) != std::string::npos;
             ++at) {
            normalised.replace(at, decimalSeparator_.size(), 1, '.');
        }
    }
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    if (first != last && *first == '+') {
        ++first;
    }
    double value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (first == last || result.ec != std::errc{} || result.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double WireNumbers::funStrToDate(std::string_view text) const {
    return parse(text).value_or(0.0);
}

float WireNumbers::funStrToSng(std::string_view text) const {
    const auto value = parse(text);
    if (!value || std::abs(*value) > std::numeric_limits<float>::max()) {
        return 0.0F;
    }
    return static_cast<float>(*value);
}

long WireNumbers::toInteger(std::string_view text, int bits) const {
    const auto value = parse(text);
    if (!value) {
        throw AppError(AppError::kTypeMismatch, "Type mismatch");
    }
    const double rounded = std::nearbyint(*value); // the default mode rounds half to even
    const double limit = std::ldexp(1.0, bits - 1);
    if (rounded < -limit || rounded > limit - 1) {
        throw AppError(AppError::kOverflow, "Overflow");
    }
    return static_cast<long>(rounded);
}

} // namespace orvan
