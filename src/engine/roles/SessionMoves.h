#pragma once

namespace orvan {

struct FormModel;

// The moves between workstation states that the lock screen, the login and the
// answers of the message box start. Session control carries them out; it sits above
// its callers, which see it only through this.
class SessionMoves {
public:
    virtual void subActivate() = 0;
    virtual void subDeactivate() = 0;
    virtual void subLock() = 0;
    virtual bool funStartSession() = 0;
    // Returns false.
    virtual bool funStopSession(bool blnNoReboot) = 0;
    // False when already in that state; the caller refreshes the lock screen.
    virtual bool funPauseSession() = 0;
    virtual bool funUnPauseSession() = 0;
    virtual void subCheckBalance() = 0;
    virtual void subSetDefaultUsage() = 0;
    virtual void subDeactivationPassword(FormModel* owner) = 0;

protected:
    ~SessionMoves() = default;
};

} // namespace orvan
