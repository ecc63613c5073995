#pragma once

#include "rtf/RtfCodePageDecoder.h"

#include <cstdint>
#include <string>

namespace orvan {

// Collects the text of one run as the reader meets it, byte by byte in a code page or
// as UTF-16 units, and turns it into UTF-8.
//
// Bytes wait until something else arrives, so that a double-byte character written
// as two \'hh reaches the decoder whole. A high surrogate waits for its low half; a
// half without its partner becomes U+FFFD. Control characters other than tab and line
// feed are dropped.
class RtfTextBuffer {
public:
    // `decoder` may be empty; it must outlive the buffer.
    explicit RtfTextBuffer(const RtfCodePageDecoder& decoder);

    void appendByte(std::uint8_t byte, int codePage);
    // A UTF-16 unit, or a whole code point above the surrogates.
    void appendUnit(char32_t unit);
    bool empty() const;
    // The text so far; the buffer is empty after.
    std::string take();

private:
    void flushBytes();
    void flushSurrogate();
    void appendCodePoint(char32_t c);
    std::string decode() const;

    const RtfCodePageDecoder& decoder_;
    std::string text_;
    std::string bytes_;
    int codePage_ = 0;
    char32_t highSurrogate_ = 0;
};

} // namespace orvan
