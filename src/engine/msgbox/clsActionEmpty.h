#pragma once

#include "model/MsgBoxAction.h"

namespace orvan {

// For messages whose answer changes nothing.
class clsActionEmpty : public MsgBoxAction {
public:
    void subExecuteCommandButton1() override {}
    void subExecuteCommandButton2() override {}
};

} // namespace orvan
