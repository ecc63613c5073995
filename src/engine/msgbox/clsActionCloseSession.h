#pragma once

#include "model/MsgBoxAction.h"

namespace orvan {

struct EngineContext;
class LockForState;
class SessionMoves;

// Yes ends the session and brings the lock screen back.
class clsActionCloseSession : public MsgBoxAction {
public:
    clsActionCloseSession(EngineContext& context, SessionMoves& session, LockForState& lock)
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
