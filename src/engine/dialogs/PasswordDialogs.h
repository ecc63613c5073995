#pragma once

#include "dialogs/DeactivationDialog.h"
#include "dialogs/LogOffDialog.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/PasswordChangeDialog.h"
#include "dialogs/QuitDialog.h"
#include "roles/PasswordPrompts.h"

namespace orvan {

class ComputerShutdown;
class ProgramExit;

// The four password dialogs and the options dialog, opened through session control.
class PasswordDialogs : public PasswordPrompts {
public:
    struct Parts {
        SessionMoves& session;
        LockScreen& lockScreen;
        const MessageSender& sender;
        ProgramExit& exit;
        ComputerShutdown& shutdown;
    };

    PasswordDialogs(EngineContext& context, Parts parts);

    void openDeactivation(FormModel* owner) override { deactivation_.Form_Load(owner); }
    void openQuit(FormModel* owner) override { quit_.Form_Load(owner); }
    void openLogOff(FormModel* owner) override { logOff_.Form_Load(owner); }
    void openPasswordChange(FormModel* owner) override { passwordChange_.Form_Load(owner); }
    void openOptions() override {
        if (options_ != nullptr) {
            options_->Form_Load();
        }
    }
    void setOptions(OptionsDialog& options) { options_ = &options; }

    DeactivationDialog& deactivation() { return deactivation_; }
    QuitDialog& quit() { return quit_; }
    LogOffDialog& logOff() { return logOff_; }
    PasswordChangeDialog& passwordChange() { return passwordChange_; }

    // Localizes every loaded one.
    void subLocalizeInterface();

private:
    EngineContext& context_;
    DeactivationDialog deactivation_;
    QuitDialog quit_;
    LogOffDialog logOff_;
    PasswordChangeDialog passwordChange_;
    OptionsDialog* options_ = nullptr;
};

} // namespace orvan
