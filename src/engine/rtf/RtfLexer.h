#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvan {

struct RtfToken {
    enum class Kind {
        End,           // no input left
        GroupStart,    // {
        GroupEnd,      // }
        ControlWord,   // \word or \word-123; `text` is the word
        ControlSymbol, // \ and one other character, in `symbol`
        HexByte,       // \'hh, in `byte`
        Text,          // plain bytes, in `text`
    };

    Kind kind = Kind::End;
    std::string_view text;
    bool hasParameter = false;
    std::int32_t parameter = 0;
    char symbol = 0;
    std::uint8_t byte = 0;
};

// Cuts rich text into tokens in one pass, holding nothing but its position.
//
// Line ends between tokens mean nothing and are dropped; a backslash before a line end
// is the paragraph symbol "\n". A word longer than kMaxWordLength letters comes out with
// empty text, so that it matches no known word however it starts. A parameter beyond
// the range of a signed 32-bit number is clamped to it; its digits are read to the end,
// so that the tail cannot turn into text.
class RtfLexer {
public:
    static constexpr std::size_t kMaxWordLength = 32;

    explicit RtfLexer(std::string_view input);

    RtfToken next();
    // Passes over the data of \binN, clamped to what is left.
    void skipBytes(std::int64_t count);

private:
    RtfToken controlToken();
    RtfToken controlWord();
    RtfToken text();
    bool atEnd() const { return pos_ >= input_.size(); }
    char peek() const { return input_[pos_]; }

    std::string_view input_;
    std::size_t pos_ = 0;
};

} // namespace orvan
