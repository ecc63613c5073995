#include "dialogs/PasswordDialogs.h"

#include "model/EngineContext.h"

namespace orvan {

PasswordDialogs::PasswordDialogs(EngineContext& context, Parts parts)
    : context_(context)
    , deactivation_(context, {parts.session, parts.lockScreen, parts.sender})
    , quit_(context, parts.exit)
    , logOff_(context, parts.shutdown)
    , passwordChange_(context) {}

void PasswordDialogs::subLocalizeInterface() {
    const auto& forms = context_.forms;
    if (forms.frmPasswd.loaded) {
        deactivation_.subLocalizeInterface();
    }
    if (forms.frmPasswdClose.loaded) {
        quit_.subLocalizeInterface();
    }
    if (forms.frmPasswdLogOff.loaded) {
        logOff_.subLocalizeInterface();
    }
    if (forms.frmPasswdChange.loaded) {
        passwordChange_.subLocalizeInterface();
    }
}

} // namespace orvan
