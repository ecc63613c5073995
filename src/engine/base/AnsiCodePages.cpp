#include "base/AnsiCodePages.h"

#include "base/Utf8.h"

#include <array>
#include <cstdint>

namespace orvan {
namespace {

constexpr char32_t kUndefined = 0xFFFD;
constexpr char32_t u = kUndefined;

// 0x80..0x9F, where the pages part from ISO 8859.
constexpr std::array<char32_t, 32> kWesternHigh = {
    0x20AC, u,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, u,      0x017D, u,      // 88
    u,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, u,      0x017E, 0x0178, // 98
};

constexpr std::array<char32_t, 32> kThaiHigh = {
    0x20AC, u,      u,      u,      u,      0x2026, u,      u,      // 80
    u,      u,      u,      u,      u,      u,      u,      u,      // 88
    u,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    u,      u,      u,      u,      u,      u,      u,      u,      // 98
};

char32_t western(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWesternHigh[byte - 0x80] : byte;
}

// The Thai letters sit at the same offsets as in Unicode's Thai block (TIS-620),
// minus the four unassigned places before the baht sign and the four at the end.
char32_t thai(std::uint8_t byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xA0) {
        return kThaiHigh[byte - 0x80];
    }
    if (byte == 0xA0) {
        return 0x00A0;
    }
    if (byte <= 0xDA || (byte >= 0xDF && byte <= 0xFB)) {
        return 0x0E00 + (byte - 0xA0);
    }
    return kUndefined;
}

} // namespace

bool AnsiCodePages::isBuiltIn(int codePage) {
    return codePage == kThai || codePage == kWestern;
}

std::optional<std::string> AnsiCodePages::decode(std::string_view bytes, int codePage) {
    if (!isBuiltIn(codePage)) {
        return std::nullopt;
    }
    const auto map = codePage == kThai ? thai : western;
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        Utf8::append(text, map(static_cast<std::uint8_t>(byte)));
    }
    return text;
}

} // namespace orvan
