#pragma once

namespace orvan {

struct FormModel;

// The password dialogs that session control opens for the tray, the main window and the
// lock screen's hidden gestures; they sit above it and act through it.
class PasswordPrompts {
public:
    virtual void openDeactivation(FormModel* owner) = 0;
    virtual void openQuit(FormModel* owner) = 0;
    virtual void openLogOff(FormModel* owner) = 0;

protected:
    ~PasswordPrompts() = default;
};

} // namespace orvan
