#pragma once

#include "msgbox/MsgBoxAction.h"

namespace orvan {

struct EngineContext;
class LockScreen;
class SessionControl;

// Yes ends the session and brings the lock screen back.
class clsActionCloseSession : public MsgBoxAction {
public:
    clsActionCloseSession(EngineContext& context, SessionControl& sessionControl,
                          LockScreen& lockScreen)
        : context_(context)
        , sessionControl_(sessionControl)
        , lockScreen_(lockScreen) {}

    void subExecuteCommandButton1() override;
    // No leaves everything as it is.
    void subExecuteCommandButton2() override {}

private:
    EngineContext& context_;
    SessionControl& sessionControl_;
    LockScreen& lockScreen_;
};

} // namespace orvan
