#pragma once

#include "ui/FormModel.h"

namespace orvan {

// The windows of the program, as models the front end renders.
struct Forms {
    FormModel frmMain;
    FormModel frmStatus;
    FormModel frmSmallStatus;
    FormModel frmMicroStatus;
    FormModel frmBlock;
    FormModel frmMsgBox;
    FormModel frmAbout;
    FormModel frmSetupWizard;
    FormModel frmPasswd;
    FormModel frmPasswdClose;
    FormModel frmPasswdLogOff;
    FormModel frmPasswdChange;
    FormModel frmOptions;

    // Controls of frmMain that start-up sizes the window by.
    long fraControlsHeight = 1935;
};

} // namespace orvan
