#include "lockscreen/LockScreenActions.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/Dialogs.h"
#include "roles/SessionMoves.h"

namespace orvan {

LockScreenActions::LockScreenActions(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

void LockScreenActions::cmdReCnx_Click() {
    context_.errors.trap("frmBlock.cmdReCnx_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.session.subCheckBalance(); });
}

void LockScreenActions::cmdUnPause_Click() {
    context_.errors.trap("frmBlock.cmdUnPause_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.session.funUnPauseSession(); });
}

void LockScreenActions::cmdQuit_Click(int index) {
    context_.errors.trap("frmBlock.cmdQuit_ClickError", OnError::ShowUnlessLocked, [&] {
        auto& block = context_.forms.frmBlock;
        block.focus = index == 0 ? BlockForm::Control::cmdReCnx : BlockForm::Control::cmdUnPause;
        parts_.msgBox.subShowMsgBox(context_.localization.funLoadResString(10184),
                                    MsgBox::kButtonsYesNo, MsgBox::kDefaultNo,
                                    parts_.msgBox.actionCloseSession(), &block, MsgBox::kModal, 0);
    });
}

void LockScreenActions::picLogo_CtrlAltClick() {
    deactivationGesture("frmBlock.picLogo_MouseDownError", ManagerPassword::Counts);
}

void LockScreenActions::Form_CtrlAltEnter() {
    deactivationGesture("frmBlock.Form_KeyDownError", ManagerPassword::Counts);
}

void LockScreenActions::imgFollowServer_CtrlAltClick() {
    deactivationGesture("frmBlock.imgFollowServer_MouseDownError", ManagerPassword::Ignored);
}

bool LockScreenActions::passwordRequired(ManagerPassword manager) const {
    if (!context_.settings.strPassword.empty()) {
        return true;
    }
    return manager == ManagerPassword::Counts && context_.user && !context_.user->Passwd.empty();
}

bool LockScreenActions::computerConfigured() const {
    return context_.settings.intConfigWizardMachine >= 1;
}

void LockScreenActions::deactivationGesture(const char* location, ManagerPassword manager) {
    context_.errors.trap(location, OnError::ShowUnlessLocked, [&] {
        auto& block = context_.forms.frmBlock;
        const bool testMode = context_.flags.blnTestMode;
        // The password dialog must be able to come over the screen.
        if (!testMode) {
            block.topMost = false;
        }
        if (passwordRequired(manager)) {
            parts_.session.subDeactivationPassword(&block);
        } else if (computerConfigured()) {
            // A configured computer opens only to a password: without one stored or
            // received from the server, the gesture is refused.
            context_.log.subWriteLog(std::string{location} +
                                     ": deactivation refused, no password is set");
            context_.platform.dialogs.beep();
        } else {
            parts_.session.subDeactivate();
        }
        if (!testMode) {
            block.topMost = true;
        }
    });
}

void LockScreenActions::picservice_DblClick() {
    auto& block = context_.forms.frmBlock;
    block.listsVisible = !block.listsVisible;
}

void LockScreenActions::cmbLanguage_Click(int index) {
    context_.errors.trap("frmBlock.cmbLanguage_ClickError", OnError::LogOnly, [&] {
        parts_.lockScreen.texts().chooseLanguage(index);
        const int state = context_.workstation.intWksnState;
        if (state != Workstation::kPausedFollow) {
            context_.forms.frmBlock.rtbMessageFile = parts_.lockScreen.messageFileFor(state);
        }
    });
}

} // namespace orvan
