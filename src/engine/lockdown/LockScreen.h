#pragma once

#include "lockdown/SoundMuting.h"
#include "lockdown/WinLock.h"

#include <string>

namespace orvan {

struct EngineContext;

// The full-screen lock window. This first version shows and hides it and keeps the
// close-session count-down's switch; its panels, lockdown and count-downs are added
// to the same entry points.
class LockScreen {
public:
    explicit LockScreen(EngineContext& context);

    // Brings the lock screen up for the current (blocked) state, with the shell locked
    // and, coming from an unlocked state, the sound muted.
    void refresh();
    // Takes it down when a session starts or resumes; the shell and the sound come back.
    void release();
    // A session is starting: task switching and Ctrl+Alt+Del come back first.
    void allowSwitching();
    void stopCloseSessionCountdown();
    // The connect button works only while the server can hear, and then only when the
    // chosen login kind's field is filled in (self-service needs none).
    void applyConnectButtonRule();
    // Lets go of the message file and the logo so that they can be replaced.
    void releaseDocuments();
    // Shows the message file of the current state and the logo again.
    void reloadDocuments();
    // The message file for a state: the received one when "Message & Logo Files Type"
    // is 1, else the language's own; empty for states without a message.
    std::string messageFileFor(int state) const;

private:
    EngineContext& context_;
    WinLock winLock_;
    SoundMuting muting_;
};

} // namespace orvan
