#include "msgbox/clsActionCloseSession.h"

#include "base/ErrorReporter.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "session/SessionControl.h"

namespace orvan {

void clsActionCloseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionCloseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             sessionControl_.funStopSession(false);
                             lockScreen_.refresh();
                         });
}

} // namespace orvan
