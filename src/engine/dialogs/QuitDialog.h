#pragma once

#include <string>

namespace orvan {

struct EngineContext;
struct FormModel;
class ProgramExit;

// The quit dialog frmPasswdClose: the administrator password ends the program. There
// is no limit on attempts.
class QuitDialog {
public:
    QuitDialog(EngineContext& context, ProgramExit& exit);

    void Form_Load(FormModel* owner);
    void cmdQuit_Click();
    void cmdCancel_Click();
    void txtPassword_Change(const std::string& text);
    void subLocalizeInterface();

private:
    EngineContext& context_;
    ProgramExit& exit_;
};

} // namespace orvan
