#include "ui/clsActionCloseSession.h"

#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "core/SessionControl.h"
#include "lockdown/LockScreen.h"

namespace orvan {

void clsActionCloseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionCloseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             sessionControl_.funStopSession(false);
                             lockScreen_.refresh();
                         });
}

} // namespace orvan
