#pragma once

#include <string>

namespace orvan {

struct EngineContext;
struct FormModel;
class ComputerShutdown;

// The log-off dialog frmPasswdLogOff: logs off, restarts or shuts the computer down
// once the administrator password is typed.
class LogOffDialog {
public:
    LogOffDialog(EngineContext& context, ComputerShutdown& shutdown);

    void Form_Load(FormModel* owner);
    // `index` is the option's index: 0 log off, 2 restart, 8 shut down.
    void optShutdown_Click(int index);
    void cmdQuit_Click();
    void cmdCancel_Click();
    void txtPassword_Change(const std::string& text);
    void subLocalizeInterface();

private:
    // The button and the help line name the chosen exit, in the language in force.
    void showChosenExit();

    EngineContext& context_;
    ComputerShutdown& shutdown_;
};

} // namespace orvan
