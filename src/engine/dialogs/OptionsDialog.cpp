#include "dialogs/OptionsDialog.h"

#include "base/ErrorReporter.h"
#include "base/ServerAddress.h"
#include "dialogs/ConnectionSettings.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "roles/ProgramExit.h"

namespace orvan {
namespace {

using Control = OptionsForm::Control;

constexpr int kYes = 6;

void moveFocus(OptionsForm& form, Control control) {
    form.focus = control;
    ++form.focusRequests;
}

} // namespace

OptionsDialog::OptionsDialog(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

OptionsForm& OptionsDialog::form() {
    return context_.forms.frmOptions;
}

bool OptionsDialog::passwordSet() const {
    return !context_.settings.strPassword.empty();
}

void OptionsDialog::Form_Load() {
    context_.errors.trap("frmOptions.Form_LoadError", OnError::Show, [&] {
        auto& dialog = form();
        dialog = OptionsForm{};
        dialog.show();
        dialog.topMost = true;
        dialog.modal = true;
        subLocalizeInterface();
        fill();
        if (passwordSet()) {
            lock();
            moveFocus(dialog, Control::chkLocked);
        } else {
            // An empty password always matches: open at once.
            dialog.chkLocked = true;
            unlock();
            moveFocus(dialog, dialog.optServerAutoConnect ? Control::optServerAutoConnect
                                                          : Control::txtServerName);
        }
        if (context_.forms.frmBlock.loaded) {
            parts_.lockScreen.resetMessageAndReloadLogo();
        }
    });
}

void OptionsDialog::subLocalizeInterface() {
    auto& d = form();
    const auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    d.caption = text(10000) + " - " + text(10107);
    d.optServerAutoConnectText = {text(10308), text(10311)};
    d.optServerManualConnectText = {text(10309), text(10312)};
    d.lblServerName = text(10234);
    d.txtServerNameText = {{}, text(10248)};
    d.lblPortNum = text(10235);
    d.txtPortNumText = {{}, text(10249)};
    d.lblServerFormat = text(10365);
    d.lblWksnName = text(10234);
    d.txtWksnNameText = {{}, text(10247)};
    d.lblWorkstation = text(10236);
    d.lblServer = text(10239);
    d.lblUsageMode = text(10340);
    d.optWksnTypeSndAlnText = {text(10341), text(10343)};
    d.optWksnTypeDsklessText = {text(10342), text(10344)};
    d.chkStartActiveText = {text(10245), text(10246)};
    d.chkStartAtLogonText = {text(10269), text(10270)};
    d.chkAllowLockdownText = {text(10273), text(10274)};
    d.cmdSaveText = {text(10243), text(10254)};
    d.cmdCancelText = {text(10241), text(10255)};
    d.lblLockedPassword = text(10152);
    d.txtLockedPasswordToolTip = text(10278);
    d.cmdUnlockOptionsToolTip = text(10279);
    d.lblLocked = text(10277);
    d.lblUnlocked = text(10275);
    d.chkLockedToolTip = text(d.lockedPicture ? 10279 : 10276);
}

void OptionsDialog::fill() {
    auto& d = form();
    const auto fields = ConnectionSettings(context_, parts_.link).current();
    ConnectionSettings::show(fields, d);
    d.optWksnTypeSndAln = fields.standalone.value_or(true);
    d.blnSettingsChanged = false;
    d.blnUsageModeChanged = false;
}

void OptionsDialog::lock() {
    auto& d = form();
    d.lockedPicture = true;
    d.chkLockedToolTip = context_.localization.funLoadResString(10279);
    d.txtLockedPassword.clear();
    d.controlsEnabled = false;
    d.serverFieldsEnabled = false;
}

void OptionsDialog::unlock() {
    auto& d = form();
    d.lockedPicture = false;
    d.chkLockedToolTip = context_.localization.funLoadResString(10276);
    d.controlsEnabled = true;
    d.serverFieldsEnabled = !d.optServerAutoConnect;
    d.fraAdminPasswordVisible = false;
    d.lblUnlockedVisible = true;
    d.lblLockedVisible = false;
    d.defaultButton = OptionsForm::Button::cmdSave;
    moveFocus(d, Control::txtServerName);
}

void OptionsDialog::chkLocked_Click(bool checked) {
    auto& d = form();
    d.chkLocked = checked;
    if (!checked) {
        d.fraAdminPasswordVisible = false;
        d.lblUnlockedVisible = false;
        d.lblLockedVisible = true;
        d.defaultButton = OptionsForm::Button::cmdSave;
        lock();
        return;
    }
    d.fraAdminPasswordVisible = true;
    d.lblUnlockedVisible = true;
    d.lblLockedVisible = false;
    d.defaultButton = OptionsForm::Button::cmdUnlockOptions;
    d.chkLockedToolTip = context_.localization.funLoadResString(10279);
    d.txtLockedPassword.clear();
    moveFocus(d, Control::txtLockedPassword);
    if (!passwordSet()) {
        unlock();
    }
}

void OptionsDialog::txtLockedPassword_Change(const std::string& text) {
    form().txtLockedPassword = text;
}

void OptionsDialog::cmdUnlockOptions_Click() {
    context_.errors.trap("frmOptions.cmdUnlockOptions_ClickError", OnError::Show, [&] {
        auto& d = form();
        if (!d.chkLocked) {
            return;
        }
        if (d.txtLockedPassword != context_.settings.strPassword) {
            context_.messages.funMsg(2);
            d.txtLockedPassword.clear();
            moveFocus(d, Control::txtLockedPassword);
            return;
        }
        unlock();
    });
}

void OptionsDialog::setServerMode(bool automatic) {
    auto& d = form();
    if (!d.controlsEnabled) {
        return;
    }
    d.optServerAutoConnect = automatic;
    d.serverFieldsEnabled = !automatic;
    d.blnSettingsChanged = true;
}

void OptionsDialog::optServerAutoConnect_Click() {
    setServerMode(true);
}

void OptionsDialog::optServerManualConnect_Click() {
    setServerMode(false);
}

void OptionsDialog::txtServerName_Change(const std::string& text) {
    auto& d = form();
    d.txtServerName = text;
    d.lblServerFormat = context_.localization.funLoadResString(10365);
    d.blnSettingsChanged = true;
}

int OptionsDialog::txtPortNum_Change(const std::string& text) {
    auto& d = form();
    d.txtPortNum = ConnectionSettings::digitsOnly(text);
    d.blnSettingsChanged = true;
    return static_cast<int>(d.txtPortNum.size());
}

void OptionsDialog::txtPortNum_LostFocus() {
    auto& port = form().txtPortNum;
    port = ConnectionSettings::clampedPort(port);
}

void OptionsDialog::txtWksnName_Change(const std::string& text) {
    form().txtWksnName = text;
    form().blnSettingsChanged = true;
}

bool OptionsDialog::txtWksnName_LostFocus() {
    if (!ConnectionSettings::nameIsRefused(form().txtWksnName)) {
        return true;
    }
    context_.messages.funMsg(30);
    moveFocus(form(), Control::txtWksnName);
    return false;
}

void OptionsDialog::setUsageMode(bool standalone) {
    auto& d = form();
    if (!d.controlsEnabled) {
        return;
    }
    d.optWksnTypeSndAln = standalone;
    d.blnSettingsChanged = true;
    d.blnUsageModeChanged = true;
}

void OptionsDialog::optWksnTypeSndAln_Click() {
    setUsageMode(true);
}

void OptionsDialog::optWksnTypeDskless_Click() {
    setUsageMode(false);
}

void OptionsDialog::chkStartActive_Click(bool checked) {
    form().chkStartActive = checked;
    form().blnSettingsChanged = true;
}

void OptionsDialog::chkStartAtLogon_Click(bool checked) {
    form().chkStartAtLogon = checked;
    form().blnSettingsChanged = true;
}

void OptionsDialog::chkAllowLockdown_Click(bool checked) {
    form().chkAllowLockdown = checked;
    form().blnSettingsChanged = true;
}

// The name and the address are checked again: a click on Save leaves no field first.
bool OptionsDialog::fieldsSavable() {
    auto& d = form();
    if (!d.optServerAutoConnect && !ServerAddress::acceptable(d.txtServerName)) {
        d.lblServerFormat = context_.localization.funLoadResString(10366);
        moveFocus(d, Control::txtServerName);
        return false;
    }
    return txtWksnName_LostFocus();
}

void OptionsDialog::cmdSave_Click() {
    context_.errors.trap("frmOptions.cmdSave_ClickError", OnError::Show, [&] {
        auto& d = form();
        if (!d.loaded || !d.controlsEnabled || !fieldsSavable()) {
            return;
        }
        save();
    });
}

void OptionsDialog::save() {
    auto& d = form();
    auto fields = ConnectionSettings::of(d);
    fields.standalone = d.optWksnTypeSndAln;
    ConnectionSettings(context_, parts_.link).save(fields);
    context_.strAppTitle = context_.localization.funLoadResString(10000);
    context_.localization.subLocalizeAll();
    const bool usageModeChanged = d.blnUsageModeChanged;
    d.unload();
    if (usageModeChanged) {
        // The workstation's identity changed: the program starts again as another one.
        context_.messages.funMsg(31);
        parts_.exit.funShutdownApplication(true);
    }
}

bool OptionsDialog::cmdCancel_Click() {
    auto& d = form();
    if (d.blnSettingsChanged && context_.messages.funMsg(4) != kYes) {
        return false;
    }
    d.unload();
    return true;
}

} // namespace orvan
