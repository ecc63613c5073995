#pragma once

#include "platform/Mixer.h"

#include <array>
#include <cstdint>

namespace orvan {

// The mixer seen as six lines, each with a level and a mute switch. The mixer is open
// for the lifetime of the object. Without a mixer, or for a line without the control,
// a read gives 0 and a write does nothing, so callers never need to check first.
class clsVolume {
public:
    // Which lines have a level or a mute control, as bits of `Lines()`.
    static constexpr int kSpeakers = 1;
    static constexpr int kMicrophone = 2;
    static constexpr int kWave = 4;
    static constexpr int kLineIn = 8;
    static constexpr int kCompactDisc = 16;
    static constexpr int kSynthesizer = 32;

    explicit clsVolume(Mixer& mixer);
    ~clsVolume();
    clsVolume(const clsVolume&) = delete;
    clsVolume& operator=(const clsVolume&) = delete;

    int Lines() const { return present_; }

    // Speakers.
    std::uint32_t WaveVolume() const { return level(Mixer::Line::Speakers); }
    void WaveVolume(std::uint32_t value) { setLevel(Mixer::Line::Speakers, value); }
    bool WaveMute() const { return muted(Mixer::Line::Speakers); }
    void WaveMute(bool value) { setMuted(Mixer::Line::Speakers, value); }
    std::uint32_t MinWaveVolume() const { return lowest(Mixer::Line::Speakers); }
    std::uint32_t MaxWaveVolume() const { return highest(Mixer::Line::Speakers); }

    std::uint32_t MicroVolume() const { return level(Mixer::Line::Microphone); }
    void MicroVolume(std::uint32_t value) { setLevel(Mixer::Line::Microphone, value); }
    bool MicroMute() const { return muted(Mixer::Line::Microphone); }
    void MicroMute(bool value) { setMuted(Mixer::Line::Microphone, value); }
    std::uint32_t MinMicVolume() const { return lowest(Mixer::Line::Microphone); }
    std::uint32_t MaxMicVolume() const { return highest(Mixer::Line::Microphone); }

    // Wave output.
    std::uint32_t WaveInVolume() const { return level(Mixer::Line::Wave); }
    void WaveInVolume(std::uint32_t value) { setLevel(Mixer::Line::Wave, value); }
    bool WaveInMute() const { return muted(Mixer::Line::Wave); }
    void WaveInMute(bool value) { setMuted(Mixer::Line::Wave, value); }
    std::uint32_t MinWavInVolume() const { return lowest(Mixer::Line::Wave); }
    std::uint32_t MaxWavInVolume() const { return highest(Mixer::Line::Wave); }

    std::uint32_t LineInVolume() const { return level(Mixer::Line::LineIn); }
    void LineInVolume(std::uint32_t value) { setLevel(Mixer::Line::LineIn, value); }
    bool LineInMute() const { return muted(Mixer::Line::LineIn); }
    void LineInMute(bool value) { setMuted(Mixer::Line::LineIn, value); }
    std::uint32_t MinLineInVolume() const { return lowest(Mixer::Line::LineIn); }
    std::uint32_t MaxLineInVolume() const { return highest(Mixer::Line::LineIn); }

    std::uint32_t CD_Volume() const { return level(Mixer::Line::CompactDisc); }
    void CD_Volume(std::uint32_t value) { setLevel(Mixer::Line::CompactDisc, value); }
    bool CD_Mute() const { return muted(Mixer::Line::CompactDisc); }
    void CD_Mute(bool value) { setMuted(Mixer::Line::CompactDisc, value); }
    std::uint32_t MinCDVolume() const { return lowest(Mixer::Line::CompactDisc); }
    std::uint32_t MaxCDVolume() const { return highest(Mixer::Line::CompactDisc); }

    std::uint32_t MIDIVolume() const { return level(Mixer::Line::Synthesizer); }
    void MIDIVolume(std::uint32_t value) { setLevel(Mixer::Line::Synthesizer, value); }
    bool MIDIMute() const { return muted(Mixer::Line::Synthesizer); }
    void MIDIMute(bool value) { setMuted(Mixer::Line::Synthesizer, value); }
    std::uint32_t MinMidVolume() const { return lowest(Mixer::Line::Synthesizer); }
    std::uint32_t MaxMidVolume() const { return highest(Mixer::Line::Synthesizer); }

private:
    // What the mixer said about a line when it was opened.
    struct LineControls {
        bool hasVolume = false;
        bool hasMute = false;
        std::uint32_t min = 0;
        std::uint32_t max = 0;
    };

    const LineControls& controls(Mixer::Line line) const {
        return lines_[static_cast<std::size_t>(line)];
    }
    std::uint32_t level(Mixer::Line line) const;
    void setLevel(Mixer::Line line, std::uint32_t value);
    bool muted(Mixer::Line line) const;
    void setMuted(Mixer::Line line, bool value);
    std::uint32_t lowest(Mixer::Line line) const { return controls(line).min; }
    std::uint32_t highest(Mixer::Line line) const { return controls(line).max; }

    Mixer& mixer_;
    bool open_ = false;
    int present_ = 0;
    std::array<LineControls, 6> lines_{};
};

} // namespace orvan
