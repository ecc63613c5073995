#include "msgbox/clsActionCloseSession.h"

#include "base/ErrorReporter.h"
#include "model/EngineContext.h"
#include "roles/LockForState.h"
#include "roles/SessionMoves.h"

namespace orvan {

void clsActionCloseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionCloseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             session_.funStopSession(false);
                             lock_.refresh();
                         });
}

} // namespace orvan
