#pragma once

#include "platform/AnsiCodec.h"

#include <array>
#include <string>
#include <unordered_map>

namespace orvan {

// Windows ANSI code pages through the C library's iconv.
//
// Single-byte pages (874, 1250..1258) become a byte table at construction: bytes the
// page leaves undefined map to U+F700 + byte and back, so any byte string survives a
// round trip, and conversion needs no iconv state, which keeps a const codec safe to
// share between threads. The double-byte pages (932, 936, 949, 950) stream through
// iconv; there a malformed byte string cannot survive, and becomes "?".
class IconvAnsiCodec : public AnsiCodec {
public:
    // A code page this class does not know is taken as 1252.
    explicit IconvAnsiCodec(int codePage);

    std::string toAnsi(std::string_view utf8) const override;
    std::string fromAnsi(std::string_view bytes) const override;

    // The page in use, after the fallback.
    int codePage() const { return codePage_; }
    // Whether the class knows `codePage`, rather than taking it as 1252.
    static bool knows(int codePage);

private:
    void buildTable();
    std::string toSingleByte(std::string_view utf8) const;

    int codePage_;
    std::string charset_;
    bool doubleByte_ = false;
    std::array<char32_t, 256> decode_{};
    std::unordered_map<char32_t, unsigned char> encode_;
};

} // namespace orvan
