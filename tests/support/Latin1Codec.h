#pragma once

#include "platform/AnsiCodec.h"

namespace orvan::test {

// A code page in which byte n is the character U+00nn, so every byte round-trips and
// tests can reason about ANSI codes directly.
class Latin1Codec : public AnsiCodec {
public:
    std::string toAnsi(std::string_view utf8) const override;
    std::string fromAnsi(std::string_view bytes) const override;
};

} // namespace orvan::test
