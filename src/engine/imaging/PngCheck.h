#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvan {

// Walks a PNG file's chunks the way the program's own PNG decoder does and gives its
// verdict and what the header chunks say. The pixels are left to the front end, which
// decodes only a file found readable here; the engine has no zlib, so nothing is
// inflated and the check values are not verified.
class PngCheck {
public:
    // The decoder's error numbers.
    static constexpr int kReadable = 0;
    static constexpr int kBadSignature = 1;
    static constexpr int kTruncatedChunk = 3;
    static constexpr int kNoImageData = 4;

    struct TextEntry {
        std::string keyword;
        std::string text;
    };

    struct Result {
        int errorNumber = kReadable;
        // IHDR.
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        int bitDepth = 0;
        int colorType = 0;
        int compression = 0;
        int filter = 0;
        int interlacing = 0;
        bool haveAlpha = false;        // colour type 4 or 6
        bool haveTransparence = false; // a tRNS chunk
        bool hasBkgdChunk = false;
        std::uint32_t gama = 0;           // gAMA: gamma times 100000; 0 when absent
        std::vector<TextEntry> texts;     // tEXt, in file order
        bool hasZtxt = false;             // zTXt is compressed: only its presence is known
        std::string modiTime;             // tIME, parts unpadded: "2024.3.7 9:5:0"
        std::uint64_t imageDataBytes = 0; // IDAT data, all chunks together
    };

    // Never reads outside `bytes`, and takes time linear in their size. Chunks are read
    // up to IEND; a file that ends before it is truncated (error 3).
    static Result check(std::string_view bytes);
};

} // namespace orvan
