#include "dialogs/PasswordChangeDialog.h"

#include "base/AppError.h"
#include "base/ErrorReporter.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/AnsiCodec.h"
#include "platform/Dialogs.h"
#include "platform/TcpSocket.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

namespace orvan {
namespace {

using Control = PasswdChangeForm::Control;

} // namespace

PasswordChangeDialog::PasswordChangeDialog(EngineContext& context)
    : context_(context) {}

void PasswordChangeDialog::Form_Load(FormModel* /*owner*/) {
    context_.errors.trap("frmPasswordChange.Form_LoadError", OnError::Show, [&] {
        auto& dialog = context_.forms.frmPasswdChange;
        dialog = PasswdChangeForm{};
        dialog.show();
        dialog.modal = true;
        subLocalizeInterface();
        dialog.focus = Control::txtOldPassword;
        ++dialog.focusRequests;
    });
}

void PasswordChangeDialog::subLocalizeInterface() {
    auto& dialog = context_.forms.frmPasswdChange;
    const auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    dialog.caption = context_.strAppTitle + " - " + text(10327);
    dialog.lblOldPassword = text(10367);
    dialog.lblNewPassword = text(10368);
    dialog.lblCheckNewPassword = text(10369);
    dialog.cmdChangeCaption = text(10158);
    dialog.cmdCancelCaption = text(10150);
}

void PasswordChangeDialog::txtOldPassword_Change(const std::string& text) {
    context_.forms.frmPasswdChange.txtOldPassword = text;
}

// Change is possible only while both new entries agree.
void PasswordChangeDialog::txtNewPassword_Change(const std::string& text) {
    auto& dialog = context_.forms.frmPasswdChange;
    dialog.txtNewPassword = text;
    dialog.cmdChangeEnabled = dialog.txtNewPassword == dialog.txtCheckNewPassword;
}

void PasswordChangeDialog::txtCheckNewPassword_Change(const std::string& text) {
    auto& dialog = context_.forms.frmPasswdChange;
    dialog.txtCheckNewPassword = text;
    dialog.cmdChangeEnabled = dialog.txtNewPassword == dialog.txtCheckNewPassword;
}

void PasswordChangeDialog::refuse(long reason) {
    auto& dialog = context_.forms.frmPasswdChange;
    context_.platform.dialogs.beep();
    dialog.lblResponse = context_.localization.funLoadResString(reason);
    if (reason == 10101) {
        dialog.txtOldPassword.clear();
        dialog.focus = Control::txtOldPassword;
    } else {
        dialog.txtNewPassword.clear();
        dialog.txtCheckNewPassword.clear();
        dialog.focus = Control::txtNewPassword;
    }
    ++dialog.focusRequests;
}

void PasswordChangeDialog::cmdChange_Click() {
    context_.errors.trap("frmPasswordChange.cmdChange_ClickError", OnError::Show, [&] {
        auto& dialog = context_.forms.frmPasswdChange;
        if (!dialog.loaded) {
            return;
        }
        if (dialog.txtOldPassword != context_.workstation.session.strUserPasswd) {
            refuse(10101);
            return;
        }
        if (dialog.txtNewPassword != dialog.txtCheckNewPassword) {
            refuse(10105);
            return;
        }
        // Checked before anything changes: a password the server would cut is refused.
        const auto message = WireFormat::message(tags::kPasswordChange, dialog.txtNewPassword);
        context_.workstation.session.strUserPasswd = dialog.txtNewPassword;
        send(message);
        dialog.unload();
    });
}

void PasswordChangeDialog::send(const std::string& message) {
    // Straight on the socket: the member changes it during a session, online.
    auto& socket = context_.platform.wskCli;
    if (!socket.send(context_.platform.codec.toAnsi(message))) {
        throw AppError(TcpSocket::kErrWrongState, "The password change could not be sent");
    }
}

void PasswordChangeDialog::cmdCancel_Click() {
    context_.forms.frmPasswdChange.unload();
}

} // namespace orvan
