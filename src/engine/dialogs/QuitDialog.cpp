#include "dialogs/QuitDialog.h"

#include "base/ErrorReporter.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "model/EngineContext.h"
#include "roles/ProgramExit.h"

namespace orvan {

QuitDialog::QuitDialog(EngineContext& context, ProgramExit& exit)
    : context_(context)
    , exit_(exit) {}

void QuitDialog::Form_Load(FormModel* /*owner*/) {
    context_.errors.trap("frmPasswdClose.Form_LoadError", OnError::Show, [&] {
        auto& dialog = context_.forms.frmPasswdClose;
        dialog = PasswdCloseForm{};
        dialog.show();
        dialog.topMost = true;
        dialog.modal = true;
        subLocalizeInterface();
        ++dialog.focusRequests;
    });
}

void QuitDialog::subLocalizeInterface() {
    auto& dialog = context_.forms.frmPasswdClose;
    const auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    dialog.caption = context_.strAppTitle;
    dialog.lblHelp = text(10157);
    dialog.lblPassword = text(10154);
    dialog.cmdQuitCaption = text(10114);
    dialog.cmdCancelCaption = text(10150);
}

void QuitDialog::txtPassword_Change(const std::string& text) {
    context_.forms.frmPasswdClose.txtPassword = text;
}

void QuitDialog::cmdQuit_Click() {
    context_.errors.trap("frmPasswdClose.cmdQuit_ClickError", OnError::Show, [&] {
        auto& dialog = context_.forms.frmPasswdClose;
        if (!dialog.loaded) {
            return;
        }
        if (dialog.txtPassword == context_.settings.strPassword) {
            dialog.unload();
            exit_.funShutdownApplication(true);
            return;
        }
        context_.messages.funMsg(2);
        dialog.txtPassword.clear();
        ++dialog.focusRequests;
    });
}

void QuitDialog::cmdCancel_Click() {
    context_.errors.trap("frmPasswdClose.cmdCancel_ClickError", OnError::Show,
                         [&] { context_.forms.frmPasswdClose.unload(); });
}

} // namespace orvan
