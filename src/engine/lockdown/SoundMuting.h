#pragma once

#include "platform/Mixer.h"

namespace orvan {

struct EngineContext;

// Keeps a locked workstation silent: the speakers are muted when the lock screen comes
// up and put back as they were when it goes, if the workstation constant asks for it.
// A mixer that is not ready yet is muted when it becomes ready, if the screen is still
// locked then; the state found at that moment is the one put back.
class SoundMuting {
public:
    SoundMuting(EngineContext& context, Mixer& mixer);

    // Called as the lock screen is refreshed. Only the first refresh after a release
    // mutes: a refresh from one locked panel to another must not take our own mute for
    // the customer's setting. Counting on our own record rather than on the previous
    // state also mutes at start-up and after a session ended, where the record of the
    // session was reset to the default (locked) state before the refresh.
    void onLockScreenRefresh();
    // Called as the lock screen is released: the speakers get the remembered switch, if
    // we muted them; a release without a lock, or before the mixer was ready, leaves the
    // customer's setting alone.
    void onLockScreenRelease();
    // Called by the mixer once it is ready.
    void onMixerReady();

private:
    void mute();

    EngineContext& context_;
    Mixer& mixer_;
    // Whether the speakers were muted before the lock, and whether we muted them since.
    bool wasMuted_ = false;
    bool muting_ = false;
    // Locked while the mixer was not ready: the mute waits for it.
    bool waiting_ = false;
};

} // namespace orvan
