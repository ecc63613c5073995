#pragma once

#include "model/MsgBoxAction.h"

namespace orvan {

struct EngineContext;

// The answer to "switch to connected usage?".
class clsActionConnected : public MsgBoxAction {
public:
    explicit clsActionConnected(EngineContext& context)
        : context_(context) {}

    void subExecuteCommandButton1() override;
    void subExecuteCommandButton2() override;

private:
    EngineContext& context_;
};

} // namespace orvan
