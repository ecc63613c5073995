#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvan {

// Numbers and dates as they travel on the wire and in stored settings: "." as the
// decimal separator whatever the locale, the exponent form for very small values
// (one second is 1.15740740740741E-05), 15 significant digits for a double and 7 for
// a single.
class WireNumbers {
public:
    // `decimalSeparator` is the user's ("," on many European locales).
    explicit WireNumbers(std::string decimalSeparator = ".");

    std::string funDblToStr(double value) const;
    std::string funSngToStr(float value) const;
    // 0 when the text is not a number.
    double funStrToDate(std::string_view text) const;
    float funStrToSng(std::string_view text) const;
    const std::string& funGetDecimalSeparator() const { return decimalSeparator_; }

    // The number in the text, or nothing; accepts "." or the locale's separator,
    // the exponent form, and surrounding spaces.
    std::optional<double> parse(std::string_view text) const;
    // An integer field: a number rounded half to even, as the runtime converts text
    // to integers. Throws a type-mismatch error for a non-number and an overflow
    // error when it does not fit in `bits` bits.
    long toInteger(std::string_view text, int bits = 32) const;

private:
    std::string decimalSeparator_;
};

} // namespace orvan
