#include "ui/clsActionUnPauseSession.h"

#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "core/SessionControl.h"

namespace orvan {

void clsActionUnPauseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionUnPauseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] { sessionControl_.funUnPauseSession(); });
}

} // namespace orvan
