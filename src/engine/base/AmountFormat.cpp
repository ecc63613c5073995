#include "base/AmountFormat.h"

#include "base/Utf8.h"

#include <cmath>
#include <cstdio>

namespace orvan {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

AmountFormat::AmountFormat(std::string decimalSeparator)
    : decimal_(decimalSeparator.empty() ? "." : std::move(decimalSeparator))
    , group_(decimal_ == "," ? "." : ",") {}

std::string AmountFormat::number(double value, std::size_t decimals, std::size_t minimumDigits,
                                 bool grouped) const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(decimals), std::abs(value));
    std::string digits = buffer;
    const auto point = digits.find('.');
    std::string whole = digits.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
    if (whole == "0" && minimumDigits == 0) {
        whole.clear();
    }
    while (whole.size() < minimumDigits) {
        whole.insert(0, "0");
    }
    if (grouped) {
        for (auto at = static_cast<long>(whole.size()) - 3; at > 0; at -= 3) {
            whole.insert(static_cast<std::size_t>(at), group_);
        }
    }
    const bool negative = value < 0 && std::stod(buffer) != 0.0;
    return (negative ? "-" : "") + whole + (fraction.empty() ? "" : decimal_ + fraction);
}

std::string AmountFormat::format(double value, const std::string& pattern) const {
    std::string before;
    std::string after;
    std::size_t decimals = 0;
    std::size_t minimumDigits = 0;
    bool grouped = false;
    bool seenDigits = false;
    bool inFraction = false;
    bool numberDone = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        auto& literal = seenDigits ? after : before;
        if (c == '"') {
            const auto close = pattern.find('"', i + 1);
            const auto end = close == std::string::npos ? pattern.size() : close;
            literal += pattern.substr(i + 1, end - i - 1);
            i = end;
        } else if ((c == '0' || c == '#') && !numberDone) {
            seenDigits = true;
            if (inFraction) {
                ++decimals;
            } else if (c == '0') {
                ++minimumDigits;
            }
        } else if (c == '.' && !numberDone && !inFraction) {
            seenDigits = true;
            inFraction = true;
        } else if (c == ',' && seenDigits && !inFraction && !numberDone) {
            grouped = true;
        } else {
            numberDone = numberDone || seenDigits;
            literal += c;
        }
    }
    if (!seenDigits) {
        // No digit placeholders: the number in its general form.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.7g", value);
        return before + Utf8::replaceAll(buffer, ".", decimal_);
    }
    return before + number(value, decimals, minimumDigits, grouped) + after;
}

std::string AmountFormat::funFormatAmount(float amount, const std::string& format,
                                          const std::string& symbol,
                                          const std::string& placeholder) const {
    std::string pattern = format;
    if (!symbol.empty()) {
        if (pattern.find(placeholder) == std::string::npos) {
            pattern = placeholder + " " + pattern;
        }
        pattern = Utf8::replaceAll(pattern, placeholder, "\"" + symbol + "\"");
    } else {
        pattern = trimmed(Utf8::replaceAll(pattern, placeholder, ""));
    }
    auto text = trimmed(this->format(amount, pattern));
    for (auto at = text.find("  "); at != std::string::npos; at = text.find("  ", at)) {
        text.erase(at, 1);
    }
    return text;
}

} // namespace orvan
