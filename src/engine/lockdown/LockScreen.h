#pragma once

namespace orvan {

struct EngineContext;

// The full-screen lock window. This first version shows and hides it and keeps the
// close-session count-down's switch; its panels, lockdown and count-downs are added
// to the same entry points.
class LockScreen {
public:
    explicit LockScreen(EngineContext& context);

    // Brings the lock screen up for the current (blocked) state.
    void refresh();
    // Takes it down when a session starts or resumes.
    void release();
    void stopCloseSessionCountdown();

private:
    EngineContext& context_;
};

} // namespace orvan
