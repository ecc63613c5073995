#pragma once

#include <functional>
#include <string>

namespace orvan {

struct EngineContext;
struct SetupWizardForm;
class ServerLink;
class SessionMoves;

// The configuration wizard run at the first start on a computer and for each new
// user: it saves the server connection, the workstation name, the start-up behaviour
// and the lockdown permission, marks the set-up as done and may activate at once.
// The window is context.forms.frmSetupWizard.
class SetupWizard {
public:
    struct Parts {
        SessionMoves& session;
        ServerLink& link;
    };

    SetupWizard(EngineContext& context, Parts parts);

    // Called once the wizard has closed, finished or cancelled.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

    // Loads the wizard and shows its welcome page, modal.
    void Form_Load();

    void cmdNext_Click();
    void cmdBack_Click();
    // Cancel and the window's close box: closes after the confirmation (message 29).
    // False when the wizard stays.
    bool cmdCancel_Click();
    void cmdFinish_Click();

    void optServerAutoConnect_Click();
    void optServerManualConnect_Click();
    void txtServerName_Change(const std::string& text);
    // Keeps digits only; returns where the caret goes.
    int txtPortNum_Change(const std::string& text);
    void txtWksnName_Change(const std::string& text);
    // False (and message 30) while the name holds "#": the focus goes back.
    bool txtWksnName_LostFocus();
    void chkStartAtLogon_Click(bool checked);
    void chkStartActive_Click(bool checked);
    void chkAllowLockdown_Click(bool checked);
    void chkActivateNow_Click(bool checked);

    void subLocalizeInterface();

private:
    SetupWizardForm& form();
    void subInitSteps();
    void subUpdateSteps();
    void subFinish();
    bool machinePartDone() const;
    bool leaveStep();
    void setServerMode(bool automatic);
    void close();

    EngineContext& context_;
    Parts parts_;
    std::function<void()> onClosed_;
};

} // namespace orvan
