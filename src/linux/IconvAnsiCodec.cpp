#include "IconvAnsiCodec.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <memory>
#include <optional>

namespace orvan {
namespace {

// Private-use characters: no code page defines them, so they cannot clash.
constexpr char32_t kUndefinedBase = 0xF700;

bool isUndefinedStandIn(char32_t c) {
    return c >= kUndefinedBase && c <= kUndefinedBase + 0xFF;
}

// Decodes the UTF-8 sequence at `pos` and moves past it. A malformed sequence yields
// nothing and moves one byte only, so each bad byte is reported once and the next
// good character is not swallowed.
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = at(pos);
    std::size_t length = 1;
    char32_t c = lead;
    char32_t smallest = 0;
    if (lead < 0x80) {
        ++pos;
        return c;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1Fu, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0Fu, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07u, smallest = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (length > s.size() - pos) {
        ++pos;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((at(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        c = (c << 6) | (at(pos + i) & 0x3Fu);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    const auto put = [&](char32_t bits) { out += static_cast<char>(bits); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    }
}

class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != kFailed; }

    // Converts all of `in`; nothing when any of it fails.
    std::optional<std::string> whole(std::string_view in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string input(in);
        char buffer[32];
        char* inPos = input.data();
        std::size_t inLeft = input.size();
        char* outPos = buffer;
        std::size_t outLeft = sizeof buffer;
        // The second call flushes the Hebrew and Vietnamese converters, which hold a
        // letter back in case a combining mark follows.
        if (iconv(cd_, &inPos, &inLeft, &outPos, &outLeft) == kError ||
            iconv(cd_, nullptr, nullptr, &outPos, &outLeft) == kError) {
            return std::nullopt;
        }
        return std::string(buffer, static_cast<std::size_t>(outPos - buffer));
    }

    // Converts `in` in one pass, writing "?" for each unit that fails: a single byte,
    // or a whole character when `in` is UTF-8 the target cannot represent.
    std::string stream(std::string_view in, bool inIsUtf8) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string input(in);
        std::string out;
        out.reserve(in.size() * 2);
        char buffer[4096];
        char* inPos = input.data();
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPos = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &inPos, &inLeft, &outPos, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPos - buffer));
            if (result != kError || errno == E2BIG) {
                continue;
            }
            out += '?';
            std::size_t skip = 0;
            if (inIsUtf8) {
                nextCodePoint(std::string_view(inPos, inLeft), skip);
            } else {
                skip = 1;
            }
            inPos += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* outPos = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPos, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPos - buffer));
        return out;
    }

private:
    static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(std::intptr_t{-1});
    static constexpr std::size_t kError = static_cast<std::size_t>(-1);

    iconv_t cd_;
};

bool isDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

} // namespace

IconvAnsiCodec::IconvAnsiCodec(int codePage)
    : codePage_(knows(codePage) ? codePage : 1252)
    , doubleByte_(isDoubleByte(codePage_)) {
    charset_ = "CP" + std::to_string(codePage_);
    if (!doubleByte_) {
        buildTable();
    }
}

bool IconvAnsiCodec::knows(int codePage) {
    return isDoubleByte(codePage) || codePage == 874 || (codePage >= 1250 && codePage <= 1258);
}

void IconvAnsiCodec::buildTable() {
    // glibc knows Windows' Thai page under both names; which one a build ships is not
    // guaranteed.
    std::optional<Converter> decoder;
    for (const std::string& name : {charset_, std::string("WINDOWS-874")}) {
        decoder.emplace("UTF-8", name);
        if (decoder->valid()) {
            charset_ = name;
            break;
        }
        if (codePage_ != 874) {
            break;
        }
    }
    if (!decoder->valid()) {
        // Without the converter modules, Latin-1 at least keeps ASCII right and every
        // byte string intact.
        charset_.clear();
        for (char32_t b = 0; b < 256; ++b) {
            decode_[b] = b;
            encode_[b] = static_cast<unsigned char>(b);
        }
        return;
    }
    for (unsigned b = 0; b < 256; ++b) {
        std::optional<char32_t> c;
        if (const auto utf8 = decoder->whole(std::string(1, static_cast<char>(b))); utf8) {
            std::size_t pos = 0;
            if (!utf8->empty()) {
                c = nextCodePoint(*utf8, pos);
            }
            // Two characters for one byte, or one character for two bytes, would
            // break the round trip.
            if (pos != utf8->size() || (c && (isUndefinedStandIn(*c) || encode_.contains(*c)))) {
                c.reset();
            }
        }
        decode_[b] = c.value_or(kUndefinedBase + b);
        encode_[decode_[b]] = static_cast<unsigned char>(b);
    }
}

std::string IconvAnsiCodec::fromAnsi(std::string_view bytes) const {
    if (doubleByte_) {
        Converter converter("UTF-8", charset_);
        return converter.valid() ? converter.stream(bytes, false) : std::string(bytes);
    }
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        appendUtf8(utf8, decode_[static_cast<unsigned char>(b)]);
    }
    return utf8;
}

std::string IconvAnsiCodec::toAnsi(std::string_view utf8) const {
    if (doubleByte_) {
        Converter converter(charset_, "UTF-8");
        return converter.valid() ? converter.stream(utf8, true) : std::string(utf8);
    }
    return toSingleByte(utf8);
}

std::string IconvAnsiCodec::toSingleByte(std::string_view utf8) const {
    std::string bytes;
    bytes.reserve(utf8.size());
    // Opened only for characters outside the table, which are rare. Held by pointer: in
    // an optional, GCC's optimiser believes the handle may be closed uninitialised.
    std::unique_ptr<Converter> encoder;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (const auto ascii = static_cast<unsigned char>(utf8[pos]);
            ascii < 0x80 && decode_[ascii] == ascii) {
            bytes += utf8[pos++];
            continue;
        }
        const std::optional<char32_t> c = nextCodePoint(utf8, pos);
        if (!c) {
            bytes += '?';
            continue;
        }
        if (const auto found = encode_.find(*c); found != encode_.end()) {
            bytes += static_cast<char>(found->second);
            continue;
        }
        // The Vietnamese page has no "ệ" but writes it as "ê" and a combining dot;
        // iconv knows these decompositions.
        std::optional<std::string> composed;
        if (!charset_.empty()) {
            if (!encoder) {
                encoder = std::make_unique<Converter>(charset_, "UTF-8");
            }
            if (encoder->valid()) {
                std::string one;
                appendUtf8(one, *c);
                composed = encoder->whole(one);
            }
        }
        bytes += composed && !composed->empty() ? *composed : "?";
    }
    return bytes;
}

} // namespace orvan
