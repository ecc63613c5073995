#include "lockscreen/LockScreen.h"

#include "base/ErrorReporter.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreenTimers.h"
#include "model/EngineContext.h"
#include "platform/SystemInfo.h"
#include "roles/SessionMoves.h"

namespace orvan {

LockScreen::LockScreen(EngineContext& context)
    : context_(context)
    , winLock_(context, context.platform.shellLock)
    , muting_(context, context.platform.mixer)
    , texts_(context)
    , layout_(context)
    , images_(context) {}

void LockScreen::connect(Parts parts) {
    session_ = &parts.session;
    timers_ = &parts.timers;
}

void LockScreen::refresh() {
    context_.errors.trap("modFunctions.subRefreshBlockScreenError", OnError::LogOnly, [&] {
        unloadDialogs();
        muting_.onLockScreenRefresh();
        const int state = context_.workstation.intWksnState;
        if (!showPanelOf(state)) {
            return;
        }
        auto& block = context_.forms.frmBlock;
        block.txtCardNumPasswordChar.assign(context_.settings.blnHideCardNumber ? 1 : 0, '*');
        loadLogo();
        activate();
        winLock_.engage();
        giveFocus(state);
    });
}

void LockScreen::unloadDialogs() {
    auto& forms = context_.forms;
    forms.frmMsgBox.unload();
    forms.frmPasswdChange.unload();
    forms.frmPasswd.unload();
    forms.frmStatus.hide();
    forms.frmSmallStatus.hide();
}

bool LockScreen::showPanelOf(int state) {
    auto& block = context_.forms.frmBlock;
    const bool follow = state == Workstation::kPausedFollow;
    switch (state) {
    case Workstation::kWaiting:
        showPanels(true, false, false, false, false, false);
        // After the panels: a default usage of 0 shows the blocked panel instead.
        preparePanelForNewCustomer();
        break;
    case Workstation::kBlocked:
        showPanels(false, true, false, false, false, false);
        break;
    case Workstation::kSessionEnded:
        showPanels(false, false, true, false, false, false);
        break;
    case Workstation::kNoCredit:
        showPanels(false, false, false, true, false, false);
        block.defaultButton = BlockForm::Control::cmdReCnx;
        block.cmdReCnxEnabled = context_.link.blnConnected;
        break;
    case Workstation::kPaused:
        showPanels(false, false, false, false, true, false);
        block.defaultButton = BlockForm::Control::cmdUnPause;
        break;
    case Workstation::kPausedLocked:
        showPanels(false, false, false, false, false, true);
        break;
    case Workstation::kPausedFollow:
        showPanels(false, false, false, false, false, false);
        break;
    default:
        return false;
    }
    block.fraFormVisible = block.fraHeaderVisible = block.fraFooterVisible = !follow;
    block.fraFollowServerVisible = follow;
    block.rtbMessageFile = messageFileFor(state);
    return true;
}

void LockScreen::preparePanelForNewCustomer() {
    auto& block = context_.forms.frmBlock;
    context_.localization.subResetGUILanguage();
    block.defaultButton = BlockForm::Control::cmdCxn;
    if (session_ != nullptr) {
        session_->subSetDefaultUsage();
    }
    const bool connected = context_.settings.intDefaultMode == 1;
    block.optConnected.value = connected;
    block.optDisconnected.value = !connected;
    block.txtCardNum.clear();
    block.txtLogin.clear();
    block.txtPassword.clear();
    block.fraCardNumberVisible = block.optCard.value;
    block.fraClientVisible = block.OptClient.value;
    block.cmdCxnPicture = block.OptClient.value ? 2 : block.optSelfService.value ? 3 : 1;
    applyConnectButtonRule();
}

void LockScreen::showPanels(bool active, bool blocked, bool ended, bool noCredit, bool paused,
                            bool locked) {
    auto& block = context_.forms.frmBlock;
    block.fraControlsActive = active;
    block.fraControlsBlocked = blocked;
    block.fraControlsSessionEnd = ended;
    block.fraControlsNoMoreCredit = noCredit;
    block.fraControlsPaused = paused;
    block.fraControlsLocked = locked;
    if (!active && !noCredit && !paused) {
        block.defaultButton = BlockForm::Control::None;
    }
}

void LockScreen::Form_Load() {
    context_.errors.trap("frmBlock.Form_LoadError", OnError::LogOnly, [&] {
        auto& block = context_.forms.frmBlock;
        block.load();
        layout_.arrange();
        texts_.fillLanguages();
        texts_.subLocalizeInterface();
        layout_.loadKillList();
        layout_.loadPictures();
    });
}

void LockScreen::activate() {
    auto& block = context_.forms.frmBlock;
    if (!block.loaded) {
        Form_Load();
    }
    const bool activation = !block.visible || blank_;
    blank_ = false;
    block.show();
    block.shownOnce = true;
    block.topMost = !context_.flags.blnTestMode;
    if (activation && timers_ != nullptr) {
        timers_->onActivate();
    }
}

void LockScreen::giveFocus(int state) {
    auto& block = context_.forms.frmBlock;
    using Control = BlockForm::Control;
    switch (state) {
    case Workstation::kWaiting:
        block.focus = block.optCard.value     ? Control::txtCardNum
                      : block.OptClient.value ? Control::txtLogin
                                              : Control::optConnected;
        break;
    case Workstation::kPaused:
        block.focus = Control::cmdUnPause;
        break;
    case Workstation::kNoCredit:
        block.focus = Control::cmdReCnx;
        if (timers_ != nullptr) {
            timers_->startCloseSession();
        }
        break;
    default:
        block.focus = Control::None;
        break;
    }
}

void LockScreen::loadLogo() {
    images_.funLoadImg(context_.settings.strLogoPath, context_.forms.frmBlock.picLogo);
}

void LockScreen::release() {
    context_.errors.trap("modFunctions.subReleaseBlockScreenError", OnError::LogOnly, [&] {
        muting_.onLockScreenRelease();
        blank_ = false;
        context_.forms.frmBlock.hide();
        winLock_.release();
    });
}

void LockScreen::showBlank() {
    context_.errors.trap("modFunctions.subShowBlankBlockScreenError", OnError::LogOnly, [&] {
        auto& block = context_.forms.frmBlock;
        if (!block.loaded) {
            Form_Load();
        }
        showPanels(false, false, false, false, false, false);
        block.fraFormVisible = block.fraHeaderVisible = block.fraFooterVisible = false;
        block.fraFollowServerVisible = false;
        block.rtbMessageFile.clear();
        block.focus = BlockForm::Control::None;
        block.show();
        block.topMost = !context_.flags.blnTestMode;
        blank_ = true;
        winLock_.engage();
    });
}

void LockScreen::giveShellBack() {
    winLock_.release();
}

void LockScreen::allowSwitching() {
    if (!winLock_.engaged()) {
        return;
    }
    winLock_.funToggleTaskSwitching(1);
    winLock_.funToggleCtrlAltDel(1);
}

void LockScreen::stopCloseSessionCountdown() {
    if (timers_ != nullptr) {
        timers_->stopCloseSession();
    }
}

void LockScreen::startUnblockCountdown() {
    if (timers_ != nullptr) {
        timers_->startUnblock();
    }
}

void LockScreen::setSearching(bool searching) {
    if (timers_ != nullptr) {
        timers_->setBlinking(searching);
    }
}

void LockScreen::applyConnectButtonRule() {
    auto& block = context_.forms.frmBlock;
    bool filled = false;
    if (block.optCard.value) {
        filled = !block.txtCardNum.empty();
    } else if (block.OptClient.value) {
        filled = !block.txtLogin.empty();
    } else if (block.optSelfService.value) {
        filled = true;
    }
    block.cmdCxnEnabled = context_.link.blnConnected && filled;
}

void LockScreen::releaseDocuments() {
    auto& block = context_.forms.frmBlock;
    block.rtbMessageFile.clear();
    block.picLogo.clear();
}

void LockScreen::reloadDocuments() {
    auto& block = context_.forms.frmBlock;
    block.rtbMessageFile = messageFileFor(context_.workstation.intWksnState);
    ++block.documentsRevision;
    loadLogo();
}

void LockScreen::resetMessageAndReloadLogo() {
    context_.forms.frmBlock.rtbMessageFile.clear();
    ++context_.forms.frmBlock.documentsRevision;
    loadLogo();
}

void LockScreen::showFollowPicture(const std::string& path) {
    images_.funLoadImg(path, context_.forms.frmBlock.imgFollowServer);
}

std::string LockScreen::messageFileFor(int state) const {
    const auto& s = context_.settings;
    const char* name = nullptr;
    const std::string* received = nullptr;
    switch (state) {
    case Workstation::kWaiting:
        name = "intro.rtf";
        received = &s.strMsgIntro;
        break;
    case Workstation::kBlocked:
        name = "blocked.rtf";
        received = &s.strMsgBlocked;
        break;
    case Workstation::kSessionEnded:
        name = "sessionend.rtf";
        received = &s.strMsgSessionEnd;
        break;
    case Workstation::kNoCredit:
        name = "nocredit.rtf";
        received = &s.strMsgNoCredit;
        break;
    case Workstation::kPaused:
    case Workstation::kPausedLocked:
        name = "sessionpaused.rtf";
        received = &s.strMsgSessionPaused;
        break;
    default:
        return {};
    }
    if (s.intMsgLogoFilesType == 1) {
        return *received;
    }
    // The language's own file: "<data folder>/<suffix>_<name>", the suffix being the
    // interface language less the program name and its underscore.
    const auto& language = context_.localization.currentLanguage();
    const auto program = context_.platform.system.programFileName();
    const auto suffix =
        language.size() > program.size() + 1 ? language.substr(program.size() + 1) : language;
    return s.strDataPath + "/" + suffix + "_" + name;
}

} // namespace orvan
