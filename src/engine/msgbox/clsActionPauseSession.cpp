#include "msgbox/clsActionPauseSession.h"

#include "base/ErrorReporter.h"
#include "model/EngineContext.h"
#include "roles/LockForState.h"
#include "roles/SessionMoves.h"

namespace orvan {

void clsActionPauseSession::subExecuteCommandButton1() {
    context_.errors.trap("clsActionPauseSession.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             session_.funPauseSession();
                             lock_.refresh();
                         });
}

} // namespace orvan
