#include "rtf/RtfTextBuffer.h"

#include "base/AnsiCodePages.h"
#include "base/Utf8.h"

#include <exception>

namespace orvan {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isDropped(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F;
}

} // namespace

RtfTextBuffer::RtfTextBuffer(const RtfCodePageDecoder& decoder)
    : decoder_(decoder) {}

void RtfTextBuffer::appendByte(std::uint8_t byte, int codePage) {
    flushSurrogate();
    if (byte < 0x80) {
        // Every supported page is ASCII below 0x80 except as a trail byte, which only
        // follows a byte above it.
        if (bytes_.empty()) {
            appendCodePoint(byte);
            return;
        }
    }
    if (codePage != codePage_) {
        flushBytes();
        codePage_ = codePage;
    }
    bytes_ += static_cast<char>(byte);
}

void RtfTextBuffer::appendUnit(char32_t unit) {
    flushBytes();
    if (isLowSurrogate(unit) && highSurrogate_ != 0) {
        appendCodePoint(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
        highSurrogate_ = 0;
        return;
    }
    flushSurrogate();
    if (isHighSurrogate(unit)) {
        highSurrogate_ = unit;
        return;
    }
    appendCodePoint(isLowSurrogate(unit) ? kReplacement : unit);
}

bool RtfTextBuffer::empty() const {
    return text_.empty() && bytes_.empty() && highSurrogate_ == 0;
}

std::string RtfTextBuffer::take() {
    flushBytes();
    flushSurrogate();
    std::string text = std::move(text_);
    text_.clear();
    return text;
}

void RtfTextBuffer::flushBytes() {
    if (bytes_.empty()) {
        return;
    }
    const std::string decoded = decode();
    bytes_.clear();
    for (std::size_t pos = 0; pos < decoded.size(); ++pos) {
        const auto c = static_cast<unsigned char>(decoded[pos]);
        if (!isDropped(c)) {
            text_ += decoded[pos];
        }
    }
}

void RtfTextBuffer::flushSurrogate() {
    if (highSurrogate_ != 0) {
        highSurrogate_ = 0;
        appendCodePoint(kReplacement);
    }
}

void RtfTextBuffer::appendCodePoint(char32_t c) {
    if (!isDropped(c)) {
        Utf8::append(text_, c);
    }
}

std::string RtfTextBuffer::decode() const {
    if (auto text = AnsiCodePages::decode(bytes_, codePage_)) {
        return *text;
    }
    if (decoder_) {
        // A decoder that fails, by answer or by exception, leaves the Western page.
        try {
            if (auto text = decoder_(bytes_, codePage_)) {
                return *text;
            }
        } catch (const std::exception&) {
        }
    }
    return *AnsiCodePages::decode(bytes_, AnsiCodePages::kWestern);
}

} // namespace orvan
