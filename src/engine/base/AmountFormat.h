#pragma once

#include <string>

namespace orvan {

// Amounts as the cafe's number format writes them: digit placeholders "0" and "#",
// "," for grouping, "." for the decimal point (shown with the locale's separators),
// text in double quotes and other characters kept as they stand.
class AmountFormat {
public:
    // `decimalSeparator` is the locale's; grouping uses the other of "." and ",".
    explicit AmountFormat(std::string decimalSeparator);

    // The amount with the currency placeholder of `format` replaced by the symbol
    // (removed when no symbol is known), trimmed, double spaces reduced to one.
    std::string funFormatAmount(float amount, const std::string& format, const std::string& symbol,
                                const std::string& placeholder) const;
    // The number alone in a format (no placeholder handling).
    std::string format(double value, const std::string& pattern) const;

private:
    std::string number(double value, std::size_t decimals, std::size_t minimumDigits,
                       bool grouped) const;

    std::string decimal_;
    std::string group_;
};

} // namespace orvan
