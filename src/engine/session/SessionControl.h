#pragma once

#include "roles/SessionMoves.h"

#include <functional>
#include <string>

namespace orvan {

struct EngineContext;
struct FormModel;
class AddressMonitor;
class AppControl;
class LockScreen;
class MsgBox;
class PasswordPrompts;
class SessionClock;
class SessionCleanup;
class TrayPresence;

// Moves the workstation between its states and does what each move requires: the
// session clock, the lock screen, the lockdown, closing applications, cleanup and the
// status windows. Functions return true (or false where noted).
class SessionControl : public SessionMoves {
public:
    struct Parts {
        LockScreen& lockScreen;
        AppControl& appControl;
        SessionCleanup& cleanup;
        AddressMonitor& addressMonitor;
    };

    SessionControl(EngineContext& context, Parts parts);

    // The session clock is built after session control; it is handed in here.
    void setClock(SessionClock& clock) { clock_ = &clock; }
    // The message box runs session procedures in its actions; it is handed in here.
    void setMsgBox(MsgBox& msgBox) { msgBox_ = &msgBox; }
    // The tray icon is built above session control; it is handed in here.
    void setTray(TrayPresence& tray) { tray_ = &tray; }
    // Restarts the computer (flags, prompt); wired to start-up's subShutdown.
    void setShutdown(std::function<void(int, const std::string&)> shutdown) {
        shutdown_ = std::move(shutdown);
    }
    // The password dialogs are built after session control; they are handed in here.
    void setPasswordPrompts(PasswordPrompts& prompts) { prompts_ = &prompts; }

    void subActivate() override;
    void subDefaultState();
    void subLock() override;
    void subDeactivate() override;
    bool funStartSession() override;
    // Returns false.
    bool funStopSession(bool blnNoReboot) override;
    // False when already in that state; the caller refreshes the lock screen.
    bool funPauseSession() override;
    bool funLockSession();
    bool funFollowSession();
    bool funUnPauseSession() override;
    void subCheckBalance() override;
    void subShowStatus();
    void subHideStatus();
    bool funHideStatusWindows();
    bool funCloseAllApps();
    // Only log their failures.
    void subSetCloseButtons();
    void subSetDefaultUsage() override;
    void subDeactivationPassword(FormModel* owner) override;
    void subQuitPassword(FormModel* owner);
    void subLogOffPassword(FormModel* owner);
    // The member's password change, from the status window.
    void subPasswordChange(FormModel* owner);
    // The options dialog, from the main window's Tools menu.
    void subOptions();

private:
    bool dialogBlocksActivation() const;
    void enterActiveState(int state);
    bool pauseInto(int state, const char* location);
    void prepareStatusWindow();
    // The constant that hides every status window, where the tray icon stands in for
    // them; without a notification area the small window stays.
    bool allHiddenInTray() const;

    EngineContext& context_;
    Parts parts_;
    SessionClock* clock_ = nullptr;
    MsgBox* msgBox_ = nullptr;
    TrayPresence* tray_ = nullptr;
    PasswordPrompts* prompts_ = nullptr;
    std::function<void(int, const std::string&)> shutdown_;
};

} // namespace orvan
