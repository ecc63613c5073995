#pragma once

#include "platform/Mixer.h"

#include <chrono>
#include <functional>
#include <memory>

namespace orvan {

// The speakers of the workstation: the sound server (PulseAudio, or PipeWire serving
// its protocol) where one runs, else the ALSA simple mixer of the default card. The
// other lines have no counterpart on a desktop sound server and report absent.
//
// The sound libraries are loaded by open(), not with the program, and let go again
// when they find nothing to drive.
//
// Made held back, it reports not ready until markReady(): opening the first time
// (ALSA reads its whole configuration) then waits until the lock screen is on view.
// Opening works either way; readiness only tells the engine when to use it.
//
// Every conversation with the server gives up after `timeout`: a stuck or missing
// server must not freeze the lock screen. Without a server or a card, reads give 0
// and writes do nothing.
class LinuxMixer : public Mixer {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{1000};

    enum class Start { Ready, HeldBack };

    explicit LinuxMixer(std::chrono::milliseconds timeout = kDefaultTimeout,
                        Start start = Start::Ready);
    ~LinuxMixer() override;
    LinuxMixer(const LinuxMixer&) = delete;
    LinuxMixer& operator=(const LinuxMixer&) = delete;

    bool ready() const override { return ready_; }
    void setReadyHandler(std::function<void()> handler) override;
    // Once: the handler hears of it.
    void markReady();

    bool open() override;
    void close() override;

    bool hasVolume(Line line) const override;
    bool hasMute(Line line) const override;
    // On the server: 0 (silent) to 65536 (100 %). On ALSA: the element's raw range,
    // shifted to start at 0.
    std::uint32_t minVolume(Line line) const override;
    std::uint32_t maxVolume(Line line) const override;
    // On the server: the default sink's average over its channels.
    std::uint32_t volume(Line line) const override;
    void setVolume(Line line, std::uint32_t value) override;
    // On the server the default sink's switch is read, and every sink's is set, so that
    // plugging in a headset does not bring the sound back while locked.
    bool mute(Line line) const override;
    void setMute(Line line, bool muted) override;

private:
    struct PulseLibrary;
    struct AlsaLibrary;
    struct Pulse;
    struct Alsa;

    std::chrono::milliseconds timeout_;
    bool ready_;
    std::function<void()> onReady_;
    // Loaded by open(), before the connections that use them.
    std::unique_ptr<PulseLibrary> pulseLibrary_;
    std::unique_ptr<AlsaLibrary> alsaLibrary_;
    std::unique_ptr<Pulse> pulse_;
    std::unique_ptr<Alsa> alsa_;
};

} // namespace orvan
