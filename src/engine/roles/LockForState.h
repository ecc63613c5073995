#pragma once

namespace orvan {

// Brings the lock screen up as the current state asks, after an answer of the message
// box has moved the workstation into a blocked state.
class LockForState {
public:
    virtual void refresh() = 0;

protected:
    ~LockForState() = default;
};

} // namespace orvan
