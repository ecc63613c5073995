#pragma once

#include "model/FormModel.h"

#include <array>
#include <string>

namespace orvan {

// The log-off dialog: log off, restart or shut down, after the administrator password.
// LogOffDialog holds the behaviour.
struct PasswdLogOffForm : FormModel {
    // The option indices are the exit flags they carry out.
    static constexpr std::array<int, 3> kExits = {0, 2, 8};

    int intExitKind = 0;
    std::array<std::string, 3> optShutdownCaptions{}; // in the order of kExits
    std::string txtPassword;
    int focusRequests = 0; // the password field takes the focus again at each count

    std::string lblHelp;
    std::string lblPassword;
    std::string cmdQuitCaption;
    std::string cmdCancelCaption;
};

} // namespace orvan
