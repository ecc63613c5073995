#include "core/SessionControl.h"

#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "lockdown/LockScreen.h"
#include "ui/Localization.h"

namespace orvan {

SessionControl::SessionControl(EngineContext& context, LockScreen& lockScreen)
    : context_(context)
    , lockScreen_(lockScreen) {}

bool SessionControl::dialogBlocksActivation() const {
    const auto& forms = context_.forms;
    return forms.frmOptions.loaded || forms.frmPasswdChange.loaded || forms.frmPasswdClose.loaded ||
           forms.frmSetupWizard.loaded;
}

void SessionControl::enterActiveState(int state) {
    context_.trayIconShown = true;
    if (context_.timers.tmrActiveTrayIcon) {
        context_.timers.tmrActiveTrayIcon->setEnabled(true);
    }
    context_.workstation.setState(state);
    lockScreen_.refresh();
    context_.forms.frmMain.hide();
}

void SessionControl::subActivate() {
    context_.errors.trap("modFunctions.subActivateError", OnError::PassOn, [&] {
        if (dialogBlocksActivation()) {
            return;
        }
        context_.intLoginAttempts = 0;
        enterActiveState(Workstation::kWaiting);
    });
}

void SessionControl::subDefaultState() {
    context_.errors.trap("modFunctions.subDefaultStateError", OnError::PassOn, [&] {
        if (dialogBlocksActivation()) {
            return;
        }
        enterActiveState(context_.settings.intDefaultState);
    });
}

void SessionControl::subDeactivate() {
    context_.errors.trap("modFunctions.subDeactivateError", OnError::PassOn, [&] {
        auto& forms = context_.forms;
        forms.frmMsgBox.unload();
        context_.trayIconShown = false;
        lockScreen_.release();
        context_.localization.subResetGUILanguage();
        forms.frmMain.show();
        if (context_.timers.tmrActiveTrayIcon) {
            context_.timers.tmrActiveTrayIcon->setEnabled(false);
        }
        context_.workstation.setState(Workstation::kDeactivated);
        forms.frmMain.topMost = true;
    });
}

void SessionControl::subSetCloseButtons() {
    // The status windows' quit buttons and the tray's stop entry come with their
    // windows; the flag they follow is derived here already.
    context_.errors.trap("modFunctions.subSetCloseButtonsError", OnError::LogOnly,
                         [&] { context_.constants.deriveFlags(); });
}

} // namespace orvan
