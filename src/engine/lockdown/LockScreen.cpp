#include "lockdown/LockScreen.h"

#include "core/EngineContext.h"

namespace orvan {

LockScreen::LockScreen(EngineContext& context)
    : context_(context) {}

void LockScreen::refresh() {
    auto& block = context_.forms.frmBlock;
    block.show();
    block.topMost = !context_.flags.blnTestMode;
}

void LockScreen::release() {
    context_.forms.frmBlock.hide();
}

} // namespace orvan
