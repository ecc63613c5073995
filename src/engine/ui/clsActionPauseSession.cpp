#include "ui/clsActionPauseSession.h"

#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "core/SessionControl.h"
#include "lockdown/LockScreen.h"

namespace orvan {

void clsActionPauseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionPauseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             sessionControl_.funPauseSession();
                             lockScreen_.refresh();
                         });
}

} // namespace orvan
