#pragma once

#include "model/MsgBoxAction.h"

namespace orvan {

struct EngineContext;
class LockForState;
class SessionMoves;

// Yes pauses the session behind the lock screen.
class clsActionPauseSession : public MsgBoxAction {
public:
    clsActionPauseSession(EngineContext& context, SessionMoves& session, LockForState& lock)
        : context_(context)
        , session_(session)
        , lock_(lock) {}

    void subExecuteCommandButton1() override;
    // No leaves everything as it is.
    void subExecuteCommandButton2() override {}

private:
    EngineContext& context_;
    SessionMoves& session_;
    LockForState& lock_;
};

} // namespace orvan
