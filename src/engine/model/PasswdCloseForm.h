#pragma once

#include "model/FormModel.h"

#include <string>

namespace orvan {

// The quit dialog: the administrator password ends the program. QuitDialog holds the
// behaviour.
struct PasswdCloseForm : FormModel {
    std::string txtPassword;
    int focusRequests = 0; // the password field takes the focus again at each count

    std::string lblHelp;
    std::string lblPassword;
    std::string cmdQuitCaption;
    std::string cmdCancelCaption;
};

} // namespace orvan
