#include "lockdown/LockScreen.h"

#include "core/EngineContext.h"
#include "platform/SystemInfo.h"
#include "ui/Localization.h"

namespace orvan {

LockScreen::LockScreen(EngineContext& context)
    : context_(context)
    , winLock_(context, context.platform.shellLock)
    , muting_(context, context.platform.mixer) {}

void LockScreen::refresh() {
    auto& forms = context_.forms;
    forms.frmMsgBox.unload();
    auto& block = forms.frmBlock;
    block.show();
    block.shownOnce = true;
    block.topMost = !context_.flags.blnTestMode;
    winLock_.engage();
    muting_.onLockScreenRefresh();
    reloadDocuments();
    if (context_.workstation.intWksnState == Workstation::kNoCredit) {
        context_.workstation.dteCloseSessionLeft = context_.constants.wksnSessionExpiryTime;
        block.tmrCloseSessionEnabled = true;
    }
}

void LockScreen::release() {
    context_.forms.frmBlock.hide();
    winLock_.release();
    muting_.onLockScreenRelease();
}

void LockScreen::allowSwitching() {
    if (context_.flags.blnTestMode) {
        return;
    }
    winLock_.funToggleTaskSwitching(1);
    winLock_.funToggleCtrlAltDel(1);
}

void LockScreen::stopCloseSessionCountdown() {
    context_.forms.frmBlock.tmrCloseSessionEnabled = false;
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
    block.picLogoFile.clear();
}

void LockScreen::reloadDocuments() {
    auto& block = context_.forms.frmBlock;
    block.rtbMessageFile = messageFileFor(context_.workstation.intWksnState);
    block.picLogoFile = context_.settings.strLogoPath;
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
