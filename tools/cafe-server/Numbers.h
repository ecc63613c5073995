#pragma once

#include <optional>
#include <string_view>

namespace orvan::cafe {

// Whole-text number reading, independent of the locale: "12x" is no number.
class Numbers {
public:
    static std::optional<int> toInt(std::string_view text);
    static std::optional<double> toDouble(std::string_view text);
};

} // namespace orvan::cafe
