#include "session/SessionControl.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "localization/Localization.h"
#include "lockdown/AddressMonitor.h"
#include "lockdown/AppControl.h"
#include "lockdown/SessionCleanup.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/Shell.h"
#include "platform/TcpSocket.h"
#include "roles/PasswordPrompts.h"
#include "roles/TrayPresence.h"
#include "session/SessionClock.h"

namespace orvan {
namespace {

constexpr long kCardFrameHeight = 1095;
constexpr long kHiddenCardFrameHeight = 795;

} // namespace

SessionControl::SessionControl(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

bool SessionControl::dialogBlocksActivation() const {
    const auto& forms = context_.forms;
    return forms.frmOptions.loaded || forms.frmPasswdChange.loaded || forms.frmPasswdClose.loaded ||
           forms.frmSetupWizard.loaded;
}

void SessionControl::enterActiveState(int state) {
    context_.trayIconShown = true;
    if (tray_ != nullptr) {
        tray_->subAddIcon();
    }
    context_.timers.tmrActiveTrayIcon->setEnabled(true);
    // With the link disabled nobody can log in: the computer stays blocked.
    context_.workstation.setState(context_.link.blnDisabled ? Workstation::kBlocked : state);
    parts_.lockScreen.refresh();
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

void SessionControl::subLock() {
    context_.errors.trap("modFunctions.subLockError", OnError::PassOn, [&] {
        if (context_.workstation.sessionExists()) {
            funStopSession(false);
        }
        context_.workstation.setState(Workstation::kBlocked);
        parts_.lockScreen.refresh();
    });
}

void SessionControl::subDeactivate() {
    context_.errors.trap("modFunctions.subDeactivateError", OnError::PassOn, [&] {
        auto& forms = context_.forms;
        forms.frmMsgBox.unload();
        if (context_.workstation.sessionExists()) {
            funStopSession(false);
        }
        context_.trayIconShown = false;
        if (tray_ != nullptr) {
            tray_->subRemoveIcon();
        }
        parts_.lockScreen.release();
        context_.localization.subResetGUILanguage();
        forms.frmMain.show();
        context_.timers.tmrActiveTrayIcon->setEnabled(false);
        context_.workstation.setState(Workstation::kDeactivated);
        forms.frmMain.topMost = true;
    });
}

void SessionControl::prepareStatusWindow() {
    auto& forms = context_.forms;
    auto& full = forms.frmStatus;
    auto& small = forms.frmSmallStatus;
    const auto& session = context_.workstation.session;
    const int type = session.intSessionType;
    full.fraCardNum = type == Workstation::kCard;
    full.fraClient = type == Workstation::kMember;
    full.fraSelfService = type == Workstation::kSelfServicePostpaid;
    full.fraPrepaidSelfService = type == Workstation::kSelfServicePrepaid;
    full.fraCardNumHeight =
        context_.settings.blnHideCardNumber ? kHiddenCardFrameHeight : kCardFrameHeight;
    full.lblNumCard = type == Workstation::kCard ? session.strUserID : std::string{};
    full.lblCliLogin = type == Workstation::kMember ? session.strUserID : std::string{};
    if (type == Workstation::kSelfServicePostpaid) {
        for (auto* form : {&full, &small}) {
            form->lblElapsedTimeSelfService = "00:00:00 ";
            form->lblAmountDue = "0 ";
        }
    }
    full.txtWksnChatHist.clear();
    full.txtWksnChat.clear();
    // Every session starts with the chat pane collapsed.
    full.fraChatVisible = false;
}

bool SessionControl::funStartSession() {
    return context_.errors.trap("modFunctions.funStartSessionError", OnError::PassOn, [&] {
        auto& timers = context_.timers;
        auto& status = context_.forms.frmStatus;
        const int state = context_.workstation.intWksnState;
        context_.intLoginAttempts = 0;
        prepareStatusWindow();
        if (state == Workstation::kDisconnected) {
            status.optDisconnected = true;
            status.optConnected = false;
            timers.tmrAppKiller->setEnabled(true);
        } else if (state == Workstation::kConnected || state == Workstation::kFreeSession) {
            status.optConnected = true;
            status.optDisconnected = false;
            timers.tmrAppKiller->setEnabled(false);
        }
        // Count from the start of this session, not from when the record was reset:
        // the idle time in between is not the customer's.
        clock_->restartCounting();
        clock_->tmrSessionStatus_Timer();
        timers.tmrSessionStatus->setEnabled(true);
        parts_.addressMonitor.newCollection();
        timers.tmrURLspy->setEnabled(true);
        parts_.cleanup.subSessionCleanup();
        funCloseAllApps();
        if (parts_.cleanup.blnRunStartBatch) {
            parts_.cleanup.subRunSessionStartBatch();
        }
        // The first tick may have found no credit or validity left and locked the screen
        // for it: releasing it now would hand the computer over for nothing.
        if (Workstation::funStateIsBlocked(context_.workstation.intWksnState)) {
            return true;
        }
        parts_.lockScreen.allowSwitching();
        context_.forms.frmMain.hide();
        parts_.lockScreen.release();
        subShowStatus();
        return true;
    });
}

bool SessionControl::funStopSession(bool blnNoReboot) {
    context_.errors.trap("modFunctions.funStopSessionError", OnError::PassOn, [&] {
        auto& timers = context_.timers;
        auto& w = context_.workstation;
        clock_->tmrSessionStatus_Timer();
        clock_->tmrWksnStatus_Timer();
        timers.tmrSessionStatus->setEnabled(false);
        timers.tmrURLspy->setEnabled(false);
        timers.tmrAppKiller->setEnabled(false);
        if (context_.forms.frmBlock.loaded) {
            parts_.lockScreen.stopCloseSessionCountdown();
        }
        funHideStatusWindows();
        funCloseAllApps();
        if (w.session.intSessionType == Workstation::kSelfServicePostpaid) {
            // The counters stay until the manager settles the amount.
            w.setState(Workstation::kSessionEnded);
            return;
        }
        if (parts_.cleanup.blnRunEndBatch) {
            parts_.cleanup.subRunSessionEndBatch();
        }
        w.subUserInit(context_.idleState(), context_.now());
        if (!blnNoReboot && context_.constants.wksnRebootOnSessionEnd == 1 &&
            !context_.flags.blnDebugMode && shutdown_) {
            shutdown_(Shell::kReboot, {});
        }
    });
    return false;
}

namespace {

// A session the customer is using: the only state a pause starts from and returns to.
bool runsUnlocked(int state) {
    return state == Workstation::kDisconnected || state == Workstation::kConnected ||
           state == Workstation::kFreeSession;
}

bool isPause(int state) {
    return state == Workstation::kPaused || state == Workstation::kPausedLocked ||
           state == Workstation::kPausedFollow;
}

} // namespace

bool SessionControl::pauseInto(int state, const char* location) {
    return context_.errors.trap(location, OnError::PassOn, [&] {
        auto& w = context_.workstation;
        // Whoever pauses now owns the pause, also one the clock change had set.
        w.blnLockedByTimeChange = false;
        if (w.intWksnState == state) {
            return false;
        }
        // From one pause to another the session to come back to stays the previous
        // state; without a running session there is nothing to pause, and the end of
        // such a pause would open the computer.
        if (isPause(w.intWksnState)) {
            w.setStates(state, w.intPrevWksnState);
            return true;
        }
        if (!runsUnlocked(w.intWksnState)) {
            context_.log.subWriteLog(std::string{location} + ": no running session to pause");
            return false;
        }
        funHideStatusWindows();
        w.setState(state);
        return true;
    });
}

bool SessionControl::funPauseSession() {
    return pauseInto(Workstation::kPaused, "modFunctions.funPauseSessionError");
}

bool SessionControl::funLockSession() {
    return pauseInto(Workstation::kPausedLocked, "modFunctions.funLockSessionError");
}

bool SessionControl::funFollowSession() {
    return pauseInto(Workstation::kPausedFollow, "modFunctions.funFollowSessionError");
}

bool SessionControl::funUnPauseSession() {
    return context_.errors.trap("modFunctions.funUnPauseSessionError", OnError::PassOn, [&] {
        auto& w = context_.workstation;
        // Only a pause ends here, and only into the session it paused: anything else
        // would take the lock screen down in an idle or out-of-credit state.
        if (!isPause(w.intWksnState) || !runsUnlocked(w.intPrevWksnState)) {
            context_.log.subWriteLog("modFunctions.funUnPauseSession: no pause to end");
            return false;
        }
        w.setStates(w.intPrevWksnState, w.intPrevWksnState);
        w.blnLockedByTimeChange = false;
        context_.forms.frmMain.hide();
        parts_.lockScreen.release();
        subShowStatus();
        return true;
    });
}

void SessionControl::subCheckBalance() {
    context_.errors.trap("modFunctions.subCheckBalanceError", OnError::PassOn, [&] {
        auto& w = context_.workstation;
        // The re-check leaves the out-of-credit state only, for the session it stopped.
        if (w.intWksnState != Workstation::kNoCredit || !runsUnlocked(w.intPrevWksnState)) {
            context_.log.subWriteLog("modFunctions.subCheckBalance: no session out of credit");
            return;
        }
        if (w.session.dteRemainingTime > 0) {
            parts_.lockScreen.stopCloseSessionCountdown();
            w.setStates(w.intPrevWksnState, w.intPrevWksnState);
            subShowStatus();
            return;
        }
        auto& texts = context_.localization;
        msgBox_->subShowMsgBox(texts.funLoadResString(10192) + "\r\n" +
                                   texts.funLoadResString(10323),
                               0, 1, nullptr, &context_.forms.frmBlock, 1, 0);
    });
}

bool SessionControl::allHiddenInTray() const {
    return context_.constants.blnHideAllStatusWin && (tray_ == nullptr || tray_->iconAvailable());
}

void SessionControl::subShowStatus() {
    context_.errors.trap("modFunctions.subShowStatusError", OnError::PassOn, [&] {
        auto& forms = context_.forms;
        forms.frmMain.hide();
        parts_.lockScreen.release();
        if (context_.workstation.session.intSessionType == Workstation::kFree) {
            if (!allHiddenInTray()) {
                forms.frmMicroStatus.show();
            }
            return;
        }
        forms.frmStatus.topMost = !context_.flags.blnTestMode;
        forms.frmMicroStatus.hide();
        if (context_.constants.blnHideAllStatusWin) {
            // Hidden by the manager: the icon stands in, or else the small window.
            if (!allHiddenInTray()) {
                forms.frmSmallStatus.show();
            }
            return;
        }
        forms.frmStatus.show();
        forms.frmSmallStatus.hide();
        const bool linkUp = context_.platform.wskCli.state() == TcpSocket::kConnected;
        forms.frmStatus.cmdChatEnabled = linkUp;
        forms.frmStatus.cmdCliPasswordEnabled = linkUp;
        context_.timers.tmrHideStatus->restart();
    });
}

void SessionControl::subHideStatus() {
    context_.errors.trap("modFunctions.subHideStatusError", OnError::PassOn, [&] {
        auto& forms = context_.forms;
        if (forms.frmAbout.loaded || forms.frmMsgBox.loaded || forms.frmPasswd.loaded) {
            return;
        }
        forms.frmMain.hide();
        forms.frmStatus.hide();
        context_.timers.tmrHideStatus->setEnabled(false);
        if (!allHiddenInTray()) {
            forms.frmSmallStatus.show();
        }
    });
}

bool SessionControl::funHideStatusWindows() {
    return context_.errors.trap("modFunctions.funHideStatusWindowsError", OnError::PassOn, [&] {
        auto& forms = context_.forms;
        forms.frmPasswdChange.unload();
        forms.frmAbout.unload();
        forms.frmSmallStatus.hide();
        forms.frmStatus.hide();
        forms.frmMicroStatus.hide();
        context_.timers.tmrHideStatus->setEnabled(false);
        return true;
    });
}

bool SessionControl::funCloseAllApps() {
    return parts_.appControl.funCloseAllApps();
}

void SessionControl::subSetCloseButtons() {
    context_.errors.trap("modFunctions.subSetCloseButtonsError", OnError::LogOnly, [&] {
        auto& forms = context_.forms;
        const bool enabled = !context_.constants.blnDisableSessCloseButton;
        for (auto* form : {&forms.frmStatus, &forms.frmSmallStatus, &forms.frmMicroStatus}) {
            form->cmdQuitEnabled = enabled;
        }
        forms.mnuStopSessionEnabled = enabled;
    });
}

void SessionControl::subSetDefaultUsage() {
    context_.errors.trap("modFunctions.subSetDefaultUsageError", OnError::LogOnly, [&] {
        auto& block = context_.forms.frmBlock;
        switch (context_.settings.intDefaultUsage) {
        case 4:
            block.OptClient.value = true;
            break;
        case 1:
            if (block.optSelfService.enabled) {
                block.optSelfService.value = true;
                block.cmdCxnEnabled = true;
            }
            break;
        case 2:
            if (block.optCard.enabled) {
                block.optCard.value = true;
            } else {
                block.optCard.value = block.optSelfService.value = block.OptClient.value = false;
            }
            break;
        case 0:
            block.fraControlsActive = false;
            block.fraControlsBlocked = true;
            break;
        default:
            break;
        }
    });
}

void SessionControl::subDeactivationPassword(FormModel* owner) {
    if (prompts_ != nullptr) {
        prompts_->openDeactivation(owner);
    }
}

void SessionControl::subQuitPassword(FormModel* owner) {
    context_.forms.frmStatus.hide();
    if (prompts_ != nullptr) {
        prompts_->openQuit(owner);
    }
}

void SessionControl::subLogOffPassword(FormModel* owner) {
    if (prompts_ != nullptr) {
        prompts_->openLogOff(owner);
    }
}

void SessionControl::subPasswordChange(FormModel* owner) {
    if (prompts_ != nullptr) {
        prompts_->openPasswordChange(owner);
    }
}

void SessionControl::subOptions() {
    if (prompts_ != nullptr) {
        prompts_->openOptions();
    }
}

} // namespace orvan
