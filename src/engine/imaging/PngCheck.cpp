#include "imaging/PngCheck.h"

namespace orvan {
namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::size_t kChunkHeader = 8; // length and type
constexpr std::size_t kCheckValue = 4;
// PNG caps chunk lengths at 2^31-1; anything above is garbage, not a long chunk.
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;

// Callers check that four bytes are there.
std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// Short chunks read as zeros beyond their end, as if padded.
int byteAt(std::string_view data, std::size_t at) {
    return at < data.size() ? static_cast<unsigned char>(data[at]) : 0;
}

std::uint32_t word32At(std::string_view data, std::size_t at) {
    return data.size() >= at + 4 ? bigEndian32(data, at) : 0;
}

// PNG text is Latin-1; the engine's text is UTF-8.
std::string latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) {
            text.push_back(byte);
        } else {
            text.push_back(static_cast<char>(0xC0 | (code >> 6)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return text;
}

void readHeader(std::string_view data, PngCheck::Result& result) {
    result.width = word32At(data, 0);
    result.height = word32At(data, 4);
    result.bitDepth = byteAt(data, 8);
    result.colorType = byteAt(data, 9);
    result.compression = byteAt(data, 10);
    result.filter = byteAt(data, 11);
    result.interlacing = byteAt(data, 12);
    result.haveAlpha = result.colorType == 4 || result.colorType == 6;
}

void readText(std::string_view data, PngCheck::Result& result) {
    const auto separator = data.find('\0');
    PngCheck::TextEntry entry{latin1ToUtf8(data.substr(0, separator)), {}};
    if (separator != std::string_view::npos) {
        entry.text = latin1ToUtf8(data.substr(separator + 1));
    }
    result.texts.push_back(std::move(entry));
}

void readTime(std::string_view data, PngCheck::Result& result) {
    const auto part = [&](std::size_t at) { return std::to_string(byteAt(data, at)); };
    const auto year = byteAt(data, 0) * 256 + byteAt(data, 1);
    result.modiTime = std::to_string(year) + "." + part(2) + "." + part(3) + " " + part(4) + ":" +
                      part(5) + ":" + part(6);
}

// Chunks not named here (palette, chromaticities, physical size...) change nothing the
// engine needs.
void readChunk(std::string_view type, std::string_view data, PngCheck::Result& result) {
    if (type == "IHDR") {
        readHeader(data, result);
    } else if (type == "IDAT") {
        result.imageDataBytes += data.size();
    } else if (type == "tRNS") {
        result.haveTransparence = true;
    } else if (type == "bKGD") {
        result.hasBkgdChunk = true;
    } else if (type == "gAMA") {
        result.gama = word32At(data, 0);
    } else if (type == "tEXt") {
        readText(data, result);
    } else if (type == "zTXt") {
        result.hasZtxt = true;
    } else if (type == "tIME") {
        readTime(data, result);
    }
}

} // namespace

PngCheck::Result PngCheck::check(std::string_view bytes) {
    Result result;
    if (bytes.substr(0, kSignature.size()) != kSignature) {
        result.errorNumber = kBadSignature;
        return result;
    }
    // Each step moves on by at least one chunk header, so the walk is linear. A file
    // that ends before IEND was cut off, even right after a whole chunk: the front
    // end's PNG reader refuses such a file too.
    for (std::size_t at = kSignature.size();;) {
        const auto rest = bytes.size() - at;
        if (rest < kChunkHeader) {
            result.errorNumber = kTruncatedChunk;
            return result;
        }
        const auto length = bigEndian32(bytes, at);
        if (length > kMaxChunkLength || std::uint64_t{length} + kCheckValue > rest - kChunkHeader) {
            result.errorNumber = kTruncatedChunk;
            return result;
        }
        const auto type = bytes.substr(at + 4, 4);
        const auto data = bytes.substr(at + kChunkHeader, length);
        at += kChunkHeader + length + kCheckValue;
        if (type == "IEND") {
            break;
        }
        readChunk(type, data, result);
    }
    if (result.imageDataBytes == 0) {
        result.errorNumber = kNoImageData;
    }
    return result;
}

} // namespace orvan
