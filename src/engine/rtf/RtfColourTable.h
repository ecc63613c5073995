#pragma once

#include "rtf/RtfDocument.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace orvan {

// The colours a document declares, by index. An entry without components is the
// default colour, as the first entry usually is.
class RtfColourTable {
public:
    // Entries beyond this are read and dropped.
    static constexpr std::size_t kMaxColours = 1024;

    // Components out of 0..255 are clamped.
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);
    void endEntry();

    // Nothing for the default colour and for an index the table does not have.
    std::optional<RtfColour> colour(int index) const;

private:
    void set(std::uint8_t RtfColour::*component, int value);

    std::vector<std::optional<RtfColour>> entries_;
    std::optional<RtfColour> current_;
};

} // namespace orvan
