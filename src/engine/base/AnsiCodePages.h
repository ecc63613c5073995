#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvan {

// The two ANSI code pages the lock screen's messages need most, built in so that they
// decode the same on every machine, converter modules or not: 874 (Thai, with the
// punctuation of the Windows flavour in 0x80..0x9F) and 1252 (Western).
class AnsiCodePages {
public:
    static constexpr int kThai = 874;
    static constexpr int kWestern = 1252;

    static bool isBuiltIn(int codePage);
    // UTF-8 text of `bytes`, or nothing for a page without a table. Bytes the page
    // leaves undefined become U+FFFD, so that they show rather than vanish.
    static std::optional<std::string> decode(std::string_view bytes, int codePage);
};

} // namespace orvan
