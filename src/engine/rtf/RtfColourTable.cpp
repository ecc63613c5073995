#include "rtf/RtfColourTable.h"

#include <algorithm>

namespace orvan {

void RtfColourTable::setRed(int value) {
    set(&RtfColour::red, value);
}

void RtfColourTable::setGreen(int value) {
    set(&RtfColour::green, value);
}

void RtfColourTable::setBlue(int value) {
    set(&RtfColour::blue, value);
}

void RtfColourTable::endEntry() {
    if (entries_.size() < kMaxColours) {
        entries_.push_back(current_);
    }
    current_.reset();
}

std::optional<RtfColour> RtfColourTable::colour(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) {
        return std::nullopt;
    }
    return entries_[static_cast<std::size_t>(index)];
}

void RtfColourTable::set(std::uint8_t RtfColour::*component, int value) {
    if (!current_) {
        current_.emplace();
    }
    (*current_).*component = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

} // namespace orvan
