#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvan::test {

// PNG files built chunk by chunk. Check values are left zero: the engine reads the
// chunks' layout, never their pixels or check values.
class PngBytes {
public:
    static std::string word32(std::uint32_t value) {
        std::string bytes(4, '\0');
        for (int i = 3; i >= 0; --i, value >>= 8) {
            bytes[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
        }
        return bytes;
    }

    PngBytes& chunk(std::string_view type, std::string_view data) {
        return raw(word32(static_cast<std::uint32_t>(data.size())) + std::string{type} +
                   std::string{data} + word32(0));
    }
    PngBytes& header(std::uint32_t width, std::uint32_t height, int colorType = 6) {
        const char rest[] = {8, static_cast<char>(colorType), 0, 0, 0};
        return chunk("IHDR", word32(width) + word32(height) + std::string(rest, sizeof rest));
    }
    PngBytes& imageData(std::string_view data = "compressed rows") { return chunk("IDAT", data); }
    PngBytes& end() { return chunk("IEND", ""); }
    PngBytes& raw(std::string_view bytes) {
        bytes_ += bytes;
        return *this;
    }
    // A whole small file: header, image data, end.
    static std::string minimal() { return PngBytes{}.header(1, 1).imageData().end().str(); }

    const std::string& str() const { return bytes_; }

private:
    std::string bytes_{"\x89PNG\r\n\x1a\n", 8};
};

} // namespace orvan::test
