#include "wire/Scrambler.h"

#include "platform/AnsiCodec.h"

#include <array>
#include <cstdint>

namespace orvan {

Scrambler::Scrambler(const AnsiCodec& codec)
    : codec_(codec) {}

std::string Scrambler::funDoXOR(std::string_view text, std::string_view key) const {
    return scramble(text, key, false);
}

std::string Scrambler::funDoOldXOR(std::string_view text, std::string_view key) const {
    return scramble(text, key, true);
}

std::string Scrambler::scramble(std::string_view text, std::string_view key, bool older) const {
    if (text.empty() || key.empty()) {
        return {};
    }
    std::int64_t sum = 0;
    for (const char c : codec_.toAnsi(key)) {
        sum += static_cast<unsigned char>(c);
    }
    // Only three of the four key bytes take part: every fourth would be k3, but the
    // cycle is three long (with short keys k2 is 0 and every third character stays).
    const std::array<std::uint8_t, 3> keyBytes{
        static_cast<std::uint8_t>(older ? sum : sum / 2),
        static_cast<std::uint8_t>(sum / 256),
        static_cast<std::uint8_t>(sum / 65'536),
    };
    auto bytes = codec_.toAnsi(text);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<std::uint8_t>(bytes[i]) ^ keyBytes[i % 3]);
    }
    return codec_.fromAnsi(bytes);
}

} // namespace orvan
