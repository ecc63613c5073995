#include "lockdown/LockScreen.h"

#include "core/EngineContext.h"

namespace orvan {

LockScreen::LockScreen(EngineContext& context)
    : context_(context) {}

void LockScreen::refresh() {
    auto& forms = context_.forms;
    forms.frmMsgBox.unload();
    auto& block = forms.frmBlock;
    block.show();
    block.topMost = !context_.flags.blnTestMode;
    if (context_.workstation.intWksnState == Workstation::kNoCredit) {
        context_.workstation.dteCloseSessionLeft = context_.constants.wksnSessionExpiryTime;
        block.tmrCloseSessionEnabled = true;
    }
}

void LockScreen::release() {
    context_.forms.frmBlock.hide();
}

void LockScreen::stopCloseSessionCountdown() {
    context_.forms.frmBlock.tmrCloseSessionEnabled = false;
}

} // namespace orvan
