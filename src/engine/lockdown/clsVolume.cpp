#include "lockdown/clsVolume.h"

#include <algorithm>

namespace orvan {

clsVolume::clsVolume(Mixer& mixer)
    : mixer_(mixer) {
    open_ = mixer_.open();
    if (!open_) {
        return;
    }
    for (std::size_t index = 0; index < lines_.size(); ++index) {
        const auto line = static_cast<Mixer::Line>(index);
        auto& found = lines_[index];
        found.hasVolume = mixer_.hasVolume(line);
        found.hasMute = mixer_.hasMute(line);
        if (found.hasVolume) {
            found.min = mixer_.minVolume(line);
            found.max = std::max(found.min, mixer_.maxVolume(line));
        }
        if (found.hasVolume || found.hasMute) {
            present_ |= 1 << index;
        }
    }
}

clsVolume::~clsVolume() {
    if (open_) {
        mixer_.close();
    }
}

std::uint32_t clsVolume::level(Mixer::Line line) const {
    return controls(line).hasVolume ? mixer_.volume(line) : 0;
}

void clsVolume::setLevel(Mixer::Line line, std::uint32_t value) {
    const auto& found = controls(line);
    if (found.hasVolume) {
        mixer_.setVolume(line, std::clamp(value, found.min, found.max));
    }
}

bool clsVolume::muted(Mixer::Line line) const {
    return controls(line).hasMute && mixer_.mute(line);
}

void clsVolume::setMuted(Mixer::Line line, bool value) {
    if (controls(line).hasMute) {
        mixer_.setMute(line, value);
    }
}

} // namespace orvan
