#pragma once

#include "model/MsgBoxAction.h"

namespace orvan {

struct EngineContext;
class SessionMoves;

// Yes resumes the paused session.
class clsActionUnPauseSession : public MsgBoxAction {
public:
    clsActionUnPauseSession(EngineContext& context, SessionMoves& session)
        : context_(context)
        , session_(session) {}

    void subExecuteCommandButton1() override;
    // No leaves everything as it is.
    void subExecuteCommandButton2() override {}

private:
    EngineContext& context_;
    SessionMoves& session_;
};

} // namespace orvan
