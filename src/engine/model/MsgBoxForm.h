#pragma once

#include "model/FormModel.h"
#include "model/MsgBoxAction.h"

#include <memory>
#include <string>

namespace orvan {

// The buttons of the program's own message box.
enum class MsgBoxButton { None, cmdOK, cmdYes, cmdNo };

enum class MsgBoxIcon { Exclamation, Question };

// The program's own message box: one text, either the OK frame or the Yes/No frame,
// and the action its answer runs. MsgBox holds the behaviour.
struct MsgBoxForm : FormModel {
    static constexpr long kWidth = 4800;
    static constexpr long kHeight = 1800;

    MsgBoxForm() {
        width = kWidth;
        height = kHeight;
    }

    std::string lblText;
    bool fraOKVisible = false;
    bool fraYesNoVisible = false;
    MsgBoxIcon icon = MsgBoxIcon::Exclamation;
    std::string cmdOKCaption;
    std::string cmdYesCaption;
    std::string cmdNoCaption;
    // Enter presses the default button, Escape the cancel button.
    MsgBoxButton defaultButton = MsgBoxButton::None;
    MsgBoxButton cancelButton = MsgBoxButton::None;
    MsgBoxButton focused = MsgBoxButton::None;

    // Both outlive an unload: a No answer still needs the owner after the box closed.
    FormModel* mfrmParent = nullptr;
    std::shared_ptr<MsgBoxAction> uAction;
};

} // namespace orvan
