#pragma once

namespace orvan {

struct FormModel;

// The password dialogs that session control opens for the tray, the main window, the
// status window and the lock screen's hidden gestures, and the options dialog, which
// asks for the administrator password first; they sit above it and act through it.
class PasswordPrompts {
public:
    virtual void openDeactivation(FormModel* owner) = 0;
    virtual void openQuit(FormModel* owner) = 0;
    virtual void openLogOff(FormModel* owner) = 0;
    virtual void openPasswordChange(FormModel* owner) = 0;
    virtual void openOptions() = 0;

protected:
    ~PasswordPrompts() = default;
};

} // namespace orvan
