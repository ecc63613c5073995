#include "msgbox/clsActionPauseSession.h"

#include "base/ErrorReporter.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "session/SessionControl.h"

namespace orvan {

void clsActionPauseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionPauseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             sessionControl_.funPauseSession();
                             lockScreen_.refresh();
                         });
}

} // namespace orvan
