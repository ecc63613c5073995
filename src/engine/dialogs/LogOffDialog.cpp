#include "dialogs/LogOffDialog.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "model/EngineContext.h"
#include "roles/ComputerShutdown.h"

#include <algorithm>

namespace orvan {
namespace {

constexpr long kCaptions[] = {10148, 10159, 10160};

} // namespace

LogOffDialog::LogOffDialog(EngineContext& context, ComputerShutdown& shutdown)
    : context_(context)
    , shutdown_(shutdown) {}

void LogOffDialog::Form_Load(FormModel* /*owner*/) {
    context_.errors.trap("frmPasswdLogOff.Form_LoadError", OnError::Show, [&] {
        auto& dialog = context_.forms.frmPasswdLogOff;
        dialog = PasswdLogOffForm{};
        dialog.show();
        dialog.topMost = true;
        dialog.modal = true;
        subLocalizeInterface();
        optShutdown_Click(PasswdLogOffForm::kExits[0]);
    });
}

void LogOffDialog::subLocalizeInterface() {
    auto& dialog = context_.forms.frmPasswdLogOff;
    auto& texts = context_.localization;
    dialog.caption = context_.strAppTitle;
    for (std::size_t i = 0; i < dialog.optShutdownCaptions.size(); ++i) {
        dialog.optShutdownCaptions[i] = texts.funLoadResString(kCaptions[i]);
    }
    dialog.lblPassword = texts.funLoadResString(10154);
    dialog.cmdCancelCaption = texts.funLoadResString(10150);
    showChosenExit();
}

void LogOffDialog::showChosenExit() {
    auto& dialog = context_.forms.frmPasswdLogOff;
    const auto& exits = PasswdLogOffForm::kExits;
    const auto found = std::find(exits.begin(), exits.end(), dialog.intExitKind);
    if (found == exits.end()) {
        return;
    }
    const auto& caption =
        dialog.optShutdownCaptions[static_cast<std::size_t>(found - exits.begin())];
    dialog.cmdQuitCaption = caption;
    dialog.lblHelp = context_.localization.funLoadResString(10161) + Utf8::lowerAscii(caption);
}

void LogOffDialog::optShutdown_Click(int index) {
    auto& dialog = context_.forms.frmPasswdLogOff;
    const auto& exits = PasswdLogOffForm::kExits;
    const auto found = std::find(exits.begin(), exits.end(), index);
    if (found == exits.end()) {
        return;
    }
    dialog.intExitKind = index;
    showChosenExit();
    ++dialog.focusRequests;
}

void LogOffDialog::txtPassword_Change(const std::string& text) {
    context_.forms.frmPasswdLogOff.txtPassword = text;
}

void LogOffDialog::cmdQuit_Click() {
    context_.errors.trap("frmPasswdLogOff.cmdQuit_ClickError", OnError::Show, [&] {
        auto& dialog = context_.forms.frmPasswdLogOff;
        if (!dialog.loaded) {
            return;
        }
        // The password is asked for, so it is checked, as the quit dialog checks it.
        if (dialog.txtPassword != context_.settings.strPassword) {
            context_.messages.funMsg(2);
            dialog.txtPassword.clear();
            ++dialog.focusRequests;
            return;
        }
        const int flags = dialog.intExitKind;
        dialog.unload();
        shutdown_.subShutdown(flags, {});
    });
}

void LogOffDialog::cmdCancel_Click() {
    context_.errors.trap("frmPasswdLogOff.cmdCancel_ClickError", OnError::Show,
                         [&] { context_.forms.frmPasswdLogOff.unload(); });
}

} // namespace orvan
