#pragma once

#include <cstdint>
#include <functional>

namespace orvan {

// The sound mixer of the workstation: a level and a mute switch per line. Levels are
// in the control's own units; the engine never converts them.
class Mixer {
public:
    enum class Line { Speakers, Microphone, Wave, LineIn, CompactDisc, Synthesizer };

    virtual ~Mixer() = default;

    // False while the adapter is still getting the mixer ready: opening it may cost more
    // than the first picture of the lock screen can wait for. The handler is called once
    // when it becomes ready; a mixer that never does is treated as missing.
    virtual bool ready() const = 0;
    virtual void setReadyHandler(std::function<void()> handler) = 0;

    // False when there is no mixer to talk to; the other calls then report nothing.
    virtual bool open() = 0;
    virtual void close() = 0;

    virtual bool hasVolume(Line line) const = 0;
    virtual bool hasMute(Line line) const = 0;
    virtual std::uint32_t minVolume(Line line) const = 0;
    virtual std::uint32_t maxVolume(Line line) const = 0;
    virtual std::uint32_t volume(Line line) const = 0;
    virtual void setVolume(Line line, std::uint32_t value) = 0;
    virtual bool mute(Line line) const = 0;
    virtual void setMute(Line line, bool muted) = 0;
};

} // namespace orvan
