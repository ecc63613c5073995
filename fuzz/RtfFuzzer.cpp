// Feeds arbitrary bytes to the rich-text reader, as a message file anyone with access
// to the messages folder could leave behind.
//
// Besides crashes, leaks and time-outs, it stops on a result that breaks the reader's
// promises: a refusal with a document, text that is not UTF-8, or output that grows
// faster than the input.

#include "rtf/RtfFontTable.h"
#include "rtf/RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using orvan::RtfDocument;
using orvan::RtfReader;
using orvan::RtfReadResult;

// At most two bytes of UTF-8 per byte of input, in all three ways a decoder can answer.
std::optional<std::string> decode(std::string_view bytes, int codePage) {
    switch ((codePage % 3 + 3) % 3) {
    case 0:
        return std::nullopt;
    case 1:
        throw std::runtime_error("no converter");
    default: {
        std::string text;
        for (const char byte : bytes) {
            text += static_cast<unsigned char>(byte) < 0x80 ? std::string(1, byte) : "Ж";
        }
        return text;
    }
    }
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || length > text.size() - i) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "rtf fuzzer: %s\n", what);
    std::abort();
}

void check(const RtfReadResult& result, std::size_t inputSize) {
    const RtfDocument& document = result.document;
    if (!result.ok()) {
        if (!document.paragraphs.empty() || result.truncated || result.reason().empty()) {
            fail("a refusal carries a document");
        }
        return;
    }
    // The widest expansion is one byte of input to three of UTF-8 (a Thai letter or a
    // Western quote); a paragraph needs at least one byte of input.
    std::size_t textBytes = 0;
    std::size_t runs = 0;
    for (const auto& paragraph : document.paragraphs) {
        for (const auto& run : paragraph.runs) {
            if (run.text.empty() || !isUtf8(run.text) || !isUtf8(run.format.fontFamily)) {
                fail("a run is empty or not UTF-8");
            }
            if (run.format.fontFamily.size() > 4 * orvan::RtfFontTable::kMaxNameUnits) {
                fail("a family name beyond the cap");
            }
            textBytes += run.text.size();
            ++runs;
        }
    }
    if (textBytes > 3 * inputSize || runs > inputSize || document.paragraphs.size() > inputSize) {
        fail("the document grew faster than the input");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check(RtfReader(decode).read(input), size);
    check(RtfReader().read(input), size);
    return 0;
}
