#pragma once

#include "platform/AnsiCodec.h"

namespace orvan::test {

// A code page like the double-byte ones: bytes 0x81 to 0x9F lead a two-byte character
// whose second byte is 0x40 or above. A lead byte without such a second byte is no
// character: it reads as U+FFFD and goes back as "?", so text is not byte-exact here.
// Other bytes are single characters as in Latin1Codec.
class DoubleByteCodec : public AnsiCodec {
public:
    std::string toAnsi(std::string_view utf8) const override;
    std::string fromAnsi(std::string_view bytes) const override;
};

} // namespace orvan::test
