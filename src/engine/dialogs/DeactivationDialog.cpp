#include "dialogs/DeactivationDialog.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "platform/Timers.h"
#include "roles/SessionMoves.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

namespace orvan {
namespace {

using Control = PasswdForm::Control;

bool sameLogin(const std::string& a, const std::string& b) {
    return Utf8::equalsIgnoreCase(a, b);
}

} // namespace

DeactivationDialog::DeactivationDialog(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts)
    , tmrQuit_(context.platform.timers.createTimer([this] { tmrQuit_Timer(); })) {
    tmrQuit_->setInterval(kQuitMillis);
}

PasswdForm& DeactivationDialog::form() {
    return context_.forms.frmPasswd;
}

bool DeactivationDialog::managerLoginUsable() const {
    const auto& manager = context_.user;
    return manager && !manager->login.empty() &&
           !sameLogin(manager->login, context_.constants.genAdminLogon);
}

void DeactivationDialog::Form_Load(FormModel* /*owner*/) {
    context_.errors.trap("frmPassword.Form_LoadError", OnError::Show, [&] {
        auto& dialog = form();
        dialog = PasswdForm{};
        dialog.show();
        dialog.modal = true;
        subLocalizeInterface();
        prepareLogin();
        tmrQuit_->setEnabled(true);
    });
}

void DeactivationDialog::subLocalizeInterface() {
    auto& dialog = form();
    const auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    dialog.caption = context_.strAppTitle;
    dialog.lblMessage = text(10156);
    dialog.lblLogin = text(10153);
    dialog.lblPassword = text(10154);
    dialog.cmdDeactivateCaption = text(10155);
    dialog.cmdCancelCaption = text(10150);
}

// The manager types a login of his own; otherwise the administrator's is filled in.
void DeactivationDialog::prepareLogin() {
    auto& dialog = form();
    dialog.txtLoginEnabled = managerLoginUsable();
    dialog.txtLogin = dialog.txtLoginEnabled ? std::string{} : context_.constants.genAdminLogon;
    // A disabled field cannot take the focus: the password then has it.
    dialog.focus = dialog.txtLoginEnabled ? Control::txtLogin : Control::txtPassword;
    ++dialog.focusRequests;
}

void DeactivationDialog::tmrQuit_Timer() {
    context_.errors.trap("frmPassword.tmrQuit_TimerError", OnError::LogOnly, [&] {
        auto& dialog = form();
        if (!dialog.loaded) {
            // Closed with the lock screen's other dialogs.
            tmrQuit_->setEnabled(false);
            return;
        }
        dialog.intCountDown -= 1;
        dialog.cmdCancelCaption = context_.localization.funLoadResString(10150) + " (" +
                                  std::to_string(dialog.intCountDown) + ")";
        if (dialog.intCountDown <= 0) {
            cmdCancel_Click();
        }
    });
}

void DeactivationDialog::cmdCancel_Click() {
    tmrQuit_->setEnabled(false);
    form().unload();
}

void DeactivationDialog::txtLogin_Change(const std::string& text) {
    form().txtLogin = text;
}

void DeactivationDialog::txtPassword_Change(const std::string& text) {
    form().txtPassword = text;
}

bool DeactivationDialog::accepted() const {
    const auto& dialog = context_.forms.frmPasswd;
    const auto& settings = context_.settings;
    const auto& admin = context_.constants.genAdminLogon;
    // Once the computer is set up an empty password opens nothing, as for the gestures.
    const auto matches = [&](const std::string& stored) {
        return dialog.txtPassword == stored &&
               (!stored.empty() || settings.intConfigWizardMachine < 1);
    };
    if (sameLogin(dialog.txtLogin, admin)) {
        return matches(settings.strPassword);
    }
    const auto& manager = context_.user;
    return manager && sameLogin(dialog.txtLogin, manager->login) && matches(manager->Passwd);
}

void DeactivationDialog::cmdDeactivate_Click() {
    context_.errors.trap("frmPassword.cmdDeactivate_ClickError", OnError::Show, [&] {
        auto& dialog = form();
        if (!dialog.loaded) {
            return;
        }
        if (dialog.txtLogin.empty()) {
            dialog.focus = Control::txtLogin;
            ++dialog.focusRequests;
            return;
        }
        if (!accepted()) {
            refuse();
            return;
        }
        failures_ = 0;
        cmdCancel_Click();
        parts_.session.subDeactivate();
    });
}

void DeactivationDialog::refuse() {
    auto& dialog = form();
    auto& texts = context_.localization;
    dialog.lblMessage = texts.funLoadResString(10347) + "\n" + texts.funLoadResString(10151) +
                        texts.funLoadResString(10000);
    dialog.txtPassword.clear();
    prepareLogin();
    ++failures_;
    if (failures_ < kAttemptsBeforeLockOut) {
        dialog.intCountDown = PasswdForm::kCountDown;
        dialog.cmdCancelCaption = texts.funLoadResString(10150);
        return;
    }
    lockOut();
}

void DeactivationDialog::lockOut() {
    auto& ctx = context_;
    // In the default language: the manager reads it.
    const auto notice = ctx.localization.funLoadResStringDefault(10304) + ctx.settings.strWksnName;
    parts_.sender.funSendData(ctx.platform.wskCli, WireFormat::message(tags::kMessageSend, notice),
                              true);
    cmdCancel_Click();
    parts_.session.subLock();
    ctx.workstation.dteLockOutLeft = ctx.constants.wksnActivateDelayTime;
    parts_.lockScreen.startUnblockCountdown();
}

} // namespace orvan
