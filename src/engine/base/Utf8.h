#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvan {

// Text helpers that count characters, not bytes, where the system counts characters.
class Utf8 {
public:
    // The first `count` characters.
    static std::string_view left(std::string_view text, std::size_t count);
    static std::size_t length(std::string_view text);
    // Lower case of the ASCII letters; other characters unchanged.
    static std::string lowerAscii(std::string_view text);
    static bool equalsIgnoreCase(std::string_view a, std::string_view b);
    // Replaces every occurrence of `from` (non-empty) by `to`, left to right, without
    // looking again at what was inserted.
    static std::string replaceAll(std::string_view text, std::string_view from,
                                  std::string_view to);
    // Appends the encoding of `c`; a surrogate or a value beyond U+10FFFF becomes U+FFFD.
    static void append(std::string& out, char32_t c);
};

} // namespace orvan
