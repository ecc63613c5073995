#pragma once

#include <string>
#include <string_view>

namespace orvan {

// Converts between the engine's UTF-8 text and single-byte text in the computer's
// ANSI code page. Every byte maps to one character and back, so any byte string
// survives a round trip (bytes the code page leaves undefined included).
class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;

    // Characters the code page cannot represent become "?".
    virtual std::string toAnsi(std::string_view utf8) const = 0;
    virtual std::string fromAnsi(std::string_view bytes) const = 0;
};

} // namespace orvan
