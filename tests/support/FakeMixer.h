#pragma once

#include "platform/Mixer.h"

#include <array>
#include <functional>
#include <stdexcept>
#include <utility>

namespace orvan::test {

// A mixer held in memory. Every line has both controls with the range 0..65535 unless
// the test takes them away; `available = false` makes opening fail.
class FakeMixer : public Mixer {
public:
    struct LineState {
        bool hasVolume = true;
        bool hasMute = true;
        std::uint32_t min = 0;
        std::uint32_t max = 65535;
        std::uint32_t volume = 0;
        bool muted = false;
    };

    bool ready() const override { return isReady; }
    void setReadyHandler(std::function<void()> handler) override { onReady = std::move(handler); }
    // What the adapter does once the mixer it held back is ready.
    void becomeReady() {
        isReady = true;
        if (onReady) {
            onReady();
        }
    }

    bool open() override {
        ++opens;
        isOpen = available;
        return available;
    }
    void close() override {
        ++closes;
        isOpen = false;
    }
    bool hasVolume(Line line) const override { return at(line).hasVolume; }
    bool hasMute(Line line) const override { return at(line).hasMute; }
    std::uint32_t minVolume(Line line) const override { return at(line).min; }
    std::uint32_t maxVolume(Line line) const override { return at(line).max; }
    std::uint32_t volume(Line line) const override { return at(line).volume; }
    void setVolume(Line line, std::uint32_t value) override {
        ++writes;
        at(line).volume = value;
    }
    bool mute(Line line) const override {
        if (failing) {
            throw std::out_of_range("mixer");
        }
        return at(line).muted;
    }
    void setMute(Line line, bool muted) override {
        ++writes;
        at(line).muted = muted;
    }

    LineState& at(Line line) { return lines[static_cast<std::size_t>(line)]; }
    const LineState& at(Line line) const { return lines[static_cast<std::size_t>(line)]; }
    LineState& speakers() { return at(Line::Speakers); }

    std::array<LineState, 6> lines{};
    bool isReady = true;
    std::function<void()> onReady;
    bool available = true;
    bool failing = false; // reading a mute switch throws
    bool isOpen = false;
    int opens = 0;
    int closes = 0;
    int writes = 0;
};

} // namespace orvan::test
