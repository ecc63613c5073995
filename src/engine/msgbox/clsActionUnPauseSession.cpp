#include "msgbox/clsActionUnPauseSession.h"

#include "base/ErrorReporter.h"
#include "model/EngineContext.h"
#include "roles/SessionMoves.h"

namespace orvan {

void clsActionUnPauseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionUnPauseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] { session_.funUnPauseSession(); });
}

} // namespace orvan
