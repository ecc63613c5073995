#pragma once

#include "DialogWindow.h"

#include <functional>
#include <memory>

namespace orvan {

struct FormModel;

// A dialog made the first time its model is loaded rather than with the other windows:
// most dialogs are never opened, and a hidden dialog's widgets and their style-sheet
// rules would hold memory all the while.
class DeferredDialog {
public:
    using Make = std::function<std::unique_ptr<DialogWindow>()>;
    using Made = std::function<void(DialogWindow&)>;

    DeferredDialog(const FormModel& form, Make make, Made made);

    // The window, made now if it is not yet.
    DialogWindow& window();
    // Follows the model; a dialog whose model was never loaded has nothing to show.
    void sync(bool raiseAgain);

private:
    const FormModel* form_;
    Make make_;
    Made made_;
    std::unique_ptr<DialogWindow> window_;
};

} // namespace orvan
