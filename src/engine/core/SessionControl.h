#pragma once

namespace orvan {

struct EngineContext;
class LockScreen;

// Moves the workstation between its states and does what each move requires.
class SessionControl {
public:
    SessionControl(EngineContext& context, LockScreen& lockScreen);

    void subActivate();
    void subDefaultState();
    void subDeactivate();
    // Enables the customer's quit buttons unless the server disabled them; only logs
    // its failures.
    void subSetCloseButtons();

private:
    bool dialogBlocksActivation() const;
    void enterActiveState(int state);

    EngineContext& context_;
    LockScreen& lockScreen_;
};

} // namespace orvan
