#pragma once

#include <cstdint>
#include <string>

namespace orvan {

// A picture control: its background colour and the picture file drawn over it. The
// front end decodes and draws the file; the engine decides which file and how.
struct PictureBox {
    // The system's button-face colour, as a system colour index.
    static constexpr std::uint32_t kButtonFace = 0x8000000F;

    std::uint32_t backColor = kButtonFace;
    std::string file; // empty: the background alone
    bool png = false; // drawn with its alpha channel over the background
    // The PNG decoder's verdict on `file`: 0 readable, 1 bad signature, 3 a chunk
    // reaching past the end, 4 no image data. Nothing is drawn unless 0.
    int pngError = 0;

    void clear() {
        file.clear();
        png = false;
        pngError = 0;
    }
};

} // namespace orvan
