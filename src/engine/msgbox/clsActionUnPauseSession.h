#pragma once

#include "msgbox/MsgBoxAction.h"

namespace orvan {

struct EngineContext;
class SessionControl;

// Yes resumes the paused session.
class clsActionUnPauseSession : public MsgBoxAction {
public:
    clsActionUnPauseSession(EngineContext& context, SessionControl& sessionControl)
        : context_(context)
        , sessionControl_(sessionControl) {}

    void subExecuteCommandButton1() override;
    // No leaves everything as it is.
    void subExecuteCommandButton2() override {}

private:
    EngineContext& context_;
    SessionControl& sessionControl_;
};

} // namespace orvan
