#include "msgbox/clsActionUnPauseSession.h"

#include "base/ErrorReporter.h"
#include "model/EngineContext.h"
#include "session/SessionControl.h"

namespace orvan {

void clsActionUnPauseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionUnPauseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] { sessionControl_.funUnPauseSession(); });
}

} // namespace orvan
