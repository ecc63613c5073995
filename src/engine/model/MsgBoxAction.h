#pragma once

namespace orvan {

// What the message box runs when its question is answered, so that the code that
// asked does not wait for the answer. Implementations report their own errors.
class MsgBoxAction {
public:
    virtual ~MsgBoxAction() = default;

    // Yes.
    virtual void subExecuteCommandButton1() = 0;
    // No.
    virtual void subExecuteCommandButton2() = 0;
};

} // namespace orvan
