#pragma once

#include <string>
#include <string_view>

namespace orvan {

class AnsiCodec;

// The self-inverse byte scrambler that keeps the stored administrator password out
// of plain sight. It works on ANSI codes, so it goes through the code page.
class Scrambler {
public:
    explicit Scrambler(const AnsiCodec& codec);

    std::string funDoXOR(std::string_view text, std::string_view key) const;
    // The older variant, only for reading what earlier versions stored.
    std::string funDoOldXOR(std::string_view text, std::string_view key) const;

private:
    std::string scramble(std::string_view text, std::string_view key, bool older) const;

    const AnsiCodec& codec_;
};

} // namespace orvan
