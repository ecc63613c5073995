#pragma once

#include <string>

namespace orvan {

struct EngineContext;
struct OptionsForm;
class LockScreen;
class ProgramExit;
class ServerLink;

// The options dialog frmOptions: opens locked while an administrator password is set;
// saving writes the settings and reconnects with them, and a change of the usage mode
// ends the program. Opening it empties the lock screen's message box and reads its logo
// again.
class OptionsDialog {
public:
    struct Parts {
        ServerLink& link;
        ProgramExit& exit;
        LockScreen& lockScreen;
    };

    OptionsDialog(EngineContext& context, Parts parts);

    // Loads the dialog, top-most and modal.
    void Form_Load();
    void chkLocked_Click(bool checked);
    void cmdUnlockOptions_Click();
    void txtLockedPassword_Change(const std::string& text);

    void optServerAutoConnect_Click();
    void optServerManualConnect_Click();
    void txtServerName_Change(const std::string& text);
    // Keeps digits only; returns where the caret goes (the end).
    int txtPortNum_Change(const std::string& text);
    void txtPortNum_LostFocus();
    void txtWksnName_Change(const std::string& text);
    // False (and message 30) while the name holds "#": the focus goes back.
    bool txtWksnName_LostFocus();
    void optWksnTypeSndAln_Click();
    void optWksnTypeDskless_Click();
    void chkStartActive_Click(bool checked);
    void chkStartAtLogon_Click(bool checked);
    void chkAllowLockdown_Click(bool checked);

    void cmdSave_Click();
    // Asks (message 4) when something changed; false when the dialog stays.
    bool cmdCancel_Click();
    void subLocalizeInterface();

private:
    OptionsForm& form();
    bool passwordSet() const;
    void fill();
    void lock();
    void unlock();
    void setServerMode(bool automatic);
    void setUsageMode(bool standalone);
    bool fieldsSavable();
    void save();

    EngineContext& context_;
    Parts parts_;
};

} // namespace orvan
