#pragma once

namespace orvan {

struct EngineContext;
class LockScreen;
class MsgBox;
class SessionMoves;

// What the customer and the staff can do on the lock screen besides logging in: the
// state panels' buttons, the hidden deactivation gestures, the language chooser and
// the diagnostic lists.
class LockScreenActions {
public:
    struct Parts {
        SessionMoves& session;
        MsgBox& msgBox;
        LockScreen& lockScreen;
    };

    LockScreenActions(EngineContext& context, Parts parts);

    void cmdReCnx_Click();
    void cmdUnPause_Click();
    // 0 on the out-of-credit panel, 1 on the paused panel.
    void cmdQuit_Click(int index);
    // Ctrl+Alt with a left click on the logo or the follow picture, or with Enter.
    void picLogo_CtrlAltClick();
    void Form_CtrlAltEnter();
    void imgFollowServer_CtrlAltClick();
    void picservice_DblClick();
    void cmbLanguage_Click(int index);

private:
    enum class ManagerPassword { Counts, Ignored };
    void deactivationGesture(const char* location, ManagerPassword manager);
    bool passwordRequired(ManagerPassword manager) const;
    // The setup wizard has been completed on this computer.
    bool computerConfigured() const;

    EngineContext& context_;
    Parts parts_;
};

} // namespace orvan
