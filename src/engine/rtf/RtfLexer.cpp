#include "rtf/RtfLexer.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace orvan {
namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

std::optional<std::uint8_t> hexValue(char c) {
    if (isDigit(c)) {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    return std::nullopt;
}

RtfToken token(RtfToken::Kind kind) {
    RtfToken made;
    made.kind = kind;
    return made;
}

} // namespace

RtfLexer::RtfLexer(std::string_view input)
    : input_(input) {}

RtfToken RtfLexer::next() {
    while (!atEnd() && isLineEnd(peek())) {
        ++pos_;
    }
    if (atEnd()) {
        return {};
    }
    switch (peek()) {
    case '{':
        ++pos_;
        return token(RtfToken::Kind::GroupStart);
    case '}':
        ++pos_;
        return token(RtfToken::Kind::GroupEnd);
    case '\\':
        ++pos_;
        return controlToken();
    default:
        return text();
    }
}

void RtfLexer::skipBytes(std::int64_t count) {
    const auto left = input_.size() - pos_;
    pos_ += count <= 0 ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(count, left));
}

RtfToken RtfLexer::controlToken() {
    if (atEnd()) {
        return {};
    }
    if (isLetter(peek())) {
        return controlWord();
    }
    const char symbol = input_[pos_++];
    if (symbol == '\'' && input_.size() - pos_ >= 2) {
        const auto high = hexValue(input_[pos_]);
        const auto low = hexValue(input_[pos_ + 1]);
        if (high && low) {
            pos_ += 2;
            auto hex = token(RtfToken::Kind::HexByte);
            hex.byte = static_cast<std::uint8_t>(*high << 4 | *low);
            return hex;
        }
    }
    auto control = token(RtfToken::Kind::ControlSymbol);
    control.symbol = isLineEnd(symbol) ? '\n' : symbol;
    return control;
}

RtfToken RtfLexer::controlWord() {
    const std::size_t start = pos_;
    while (!atEnd() && isLetter(peek())) {
        ++pos_;
    }
    auto word = token(RtfToken::Kind::ControlWord);
    if (pos_ - start <= kMaxWordLength) {
        word.text = input_.substr(start, pos_ - start);
    }
    const bool negative =
        !atEnd() && peek() == '-' && pos_ + 1 < input_.size() && isDigit(input_[pos_ + 1]);
    if (negative) {
        ++pos_;
    }
    if (!atEnd() && isDigit(peek())) {
        // One past the largest magnitude is enough to tell that it must be clamped.
        constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
        std::int64_t magnitude = 0;
        while (!atEnd() && isDigit(peek())) {
            magnitude = std::min(kCap, magnitude * 10 + (input_[pos_++] - '0'));
        }
        const std::int64_t value = negative ? -magnitude : std::min(kCap - 1, magnitude);
        word.hasParameter = true;
        word.parameter = static_cast<std::int32_t>(value);
    }
    // A space ends the word and belongs to it.
    if (!atEnd() && peek() == ' ') {
        ++pos_;
    }
    return word;
}

RtfToken RtfLexer::text() {
    const std::size_t start = pos_;
    while (!atEnd() && peek() != '{' && peek() != '}' && peek() != '\\' && !isLineEnd(peek())) {
        ++pos_;
    }
    auto plain = token(RtfToken::Kind::Text);
    plain.text = input_.substr(start, pos_ - start);
    return plain;
}

} // namespace orvan
