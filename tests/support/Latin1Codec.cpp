#include "support/Latin1Codec.h"

namespace orvan::test {

std::string Latin1Codec::toAnsi(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            // Runs of ASCII in one append: the wire fuzzer's status reports are mostly that.
            std::size_t end = i + 1;
            while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) {
                ++end;
            }
            out.append(utf8.substr(i, end - i));
            i = end - 1;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code =
                ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            out += code < 0x100 ? static_cast<char>(code) : '?';
        } else {
            out += '?';
            while (i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
                ++i;
            }
        }
    }
    return out;
}

std::string Latin1Codec::fromAnsi(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace orvan::test
