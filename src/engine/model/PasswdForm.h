#pragma once

#include "model/FormModel.h"

#include <string>

namespace orvan {

// The deactivation dialog: the manager's or the administrator's login and password,
// closing itself after a count-down. DeactivationDialog holds the behaviour.
struct PasswdForm : FormModel {
    static constexpr int kCountDown = 20;

    enum class Control { None, txtLogin, txtPassword };

    std::string txtLogin;
    bool txtLoginEnabled = true;
    std::string txtPassword;
    std::string lblMessage; // lbl(0): the prompt, then why the entry was refused
    int intCountDown = kCountDown;
    Control focus = Control::None;
    int focusRequests = 0; // counts moves of the focus, so that the same field can be asked again

    std::string lblLogin;
    std::string lblPassword;
    std::string cmdDeactivateCaption;
    std::string cmdCancelCaption;
};

} // namespace orvan
