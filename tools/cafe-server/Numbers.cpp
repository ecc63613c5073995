#include "Numbers.h"

#include <charconv>

namespace orvan::cafe {

namespace {

template <typename T>
std::optional<T> parseWhole(std::string_view text) {
    // from_chars refuses a leading "+", which people type.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    T value{};
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<int> Numbers::toInt(std::string_view text) {
    return parseWhole<int>(text);
}

std::optional<double> Numbers::toDouble(std::string_view text) {
    return parseWhole<double>(text);
}

} // namespace orvan::cafe
