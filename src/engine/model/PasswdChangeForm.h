#pragma once

#include "model/FormModel.h"

#include <string>

namespace orvan {

// The member's own password change. PasswordChangeDialog holds the behaviour.
struct PasswdChangeForm : FormModel {
    enum class Control { None, txtOldPassword, txtNewPassword };

    std::string txtOldPassword;
    std::string txtNewPassword;
    std::string txtCheckNewPassword;
    bool cmdChangeEnabled = false;
    std::string lblResponse;
    Control focus = Control::None;
    int focusRequests = 0;

    std::string lblOldPassword;
    std::string lblNewPassword;
    std::string lblCheckNewPassword;
    std::string cmdChangeCaption;
    std::string cmdCancelCaption;
};

} // namespace orvan
