#include "support/DoubleByteCodec.h"

#include "support/Latin1Codec.h"

namespace orvan::test {
namespace {

// Two-byte characters live in the private use area, one code point per byte pair.
constexpr char32_t kPairBase = 0xE000;
constexpr char32_t kReplacement = 0xFFFD;

bool isLead(unsigned char c) {
    return c >= 0x81 && c <= 0x9F;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string DoubleByteCodec::fromAnsi(std::string_view bytes) const {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (!isLead(c)) {
            out += Latin1Codec{}.fromAnsi(bytes.substr(i, 1));
            continue;
        }
        const bool paired =
            i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 0x40;
        if (!paired) {
            appendUtf8(out, kReplacement);
            continue;
        }
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        appendUtf8(out, kPairBase + static_cast<char32_t>(((c - 0x81) << 8) | trail));
    }
    return out;
}

std::string DoubleByteCodec::toAnsi(std::string_view utf8) const {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xF0) != 0xE0 || i + 2 >= utf8.size()) {
            // One- and two-byte sequences are the single-byte characters.
            const std::size_t length = (c & 0xE0) == 0xC0 ? 2 : 1;
            out += Latin1Codec{}.toAnsi(utf8.substr(i, length));
            i += length - 1;
            continue;
        }
        const char32_t code = ((c & 0x0Fu) << 12) |
                              ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                              (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
        i += 2;
        const auto pair = code - kPairBase;
        if (code >= kPairBase && pair < 0x1F00) {
            out += static_cast<char>(0x81 + (pair >> 8));
            out += static_cast<char>(pair & 0xFF);
        } else {
            out += '?';
        }
    }
    return out;
}

} // namespace orvan::test
