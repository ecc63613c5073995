#pragma once

#include "model/MsgBoxAction.h"

namespace orvan {

struct EngineContext;
class AppControl;

// The answer to "switch to disconnected usage?".
class clsActionDisconnected : public MsgBoxAction {
public:
    clsActionDisconnected(EngineContext& context, AppControl& appControl)
        : context_(context)
        , appControl_(appControl) {}

    void subExecuteCommandButton1() override;
    void subExecuteCommandButton2() override;

private:
    EngineContext& context_;
    AppControl& appControl_;
};

} // namespace orvan
