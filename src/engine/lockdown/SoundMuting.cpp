#include "lockdown/SoundMuting.h"

#include "base/ErrorReporter.h"
#include "lockdown/clsVolume.h"
#include "model/EngineContext.h"

namespace orvan {

SoundMuting::SoundMuting(EngineContext& context, Mixer& mixer)
    : context_(context)
    , mixer_(mixer) {
    mixer_.setReadyHandler([this] { onMixerReady(); });
}

void SoundMuting::onLockScreenRefresh() {
    if (waiting_) {
        return;
    }
    if (!mixer_.ready()) {
        waiting_ = true;
        return;
    }
    mute();
}

void SoundMuting::onMixerReady() {
    if (waiting_) {
        waiting_ = false;
        mute();
    }
}

void SoundMuting::mute() {
    context_.errors.trap("modFunctions.subMuteOnBlockError", OnError::LogOnly, [&] {
        if (muting_ || context_.constants.wksnMuteVolWhenBlocked != 1) {
            return;
        }
        clsVolume volume(mixer_);
        wasMuted_ = volume.WaveMute();
        volume.WaveMute(true);
        muting_ = true;
    });
}

void SoundMuting::onLockScreenRelease() {
    waiting_ = false;
    context_.errors.trap("modFunctions.subRestoreSoundError", OnError::LogOnly, [&] {
        if (!muting_ || context_.constants.wksnMuteVolWhenBlocked != 1) {
            return;
        }
        muting_ = false;
        clsVolume volume(mixer_);
        volume.WaveMute(wasMuted_);
    });
}

} // namespace orvan
