#pragma once

#include "ui/FormModel.h"
#include "ui/MsgBoxForm.h"

namespace orvan {

// A status window: the session's counters, the usage-mode choice and its buttons.
struct StatusForm : FormModel {
    bool optConnected = false;
    bool optDisconnected = false;
    bool cmdQuitEnabled = true;
    bool tmrHideStatusEnabled = false; // shrinks the full window to the small one

    // Which frame shows the session: card, member, self-service (paid afterwards),
    // prepaid self-service.
    bool fraCardNum = false;
    bool fraClient = false;
    bool fraSelfService = false;
    bool fraPrepaidSelfService = false;
    long fraCardNumHeight = 1095;

    // Counters written by the session clock.
    std::string lblNumCard;
    std::string lblCliLogin;
    std::string lblRemainTime;
    std::string lblCliRemainTime;
    std::string lblSelfServRemainTime;
    std::string lblValidDate;
    std::string lblCliValidDate;
    std::string lblValidTime;
    std::string lblCliValidTime;
    std::string lblElapsedTimeSelfService;
    std::string lblElapsedTimeSelfServiceToolTip;
    std::string lblAmountDue;
    std::string lblTimeToNextIncrement;
    std::string txtWksnChatHist;
};

// The lock screen: the login choices that session control presets. The rest of its
// content lives with the lock screen itself.
struct BlockForm : FormModel {
    struct Option {
        bool enabled = true;
        bool value = false;
    };
    Option optCard;
    Option optSelfService;
    Option OptClient;
    bool cmdCxnEnabled = false;
    bool fraLoginVisible = true;
    bool fraBlockedVisible = false;
    bool tmrCloseSessionEnabled = false;
};

// The windows of the program, as models the front end renders.
struct Forms {
    FormModel frmMain;
    StatusForm frmStatus;
    StatusForm frmSmallStatus;
    StatusForm frmMicroStatus;
    BlockForm frmBlock;
    MsgBoxForm frmMsgBox;
    FormModel frmAbout;
    FormModel frmSetupWizard;
    FormModel frmPasswd;
    FormModel frmPasswdClose;
    FormModel frmPasswdLogOff;
    FormModel frmPasswdChange;
    FormModel frmOptions;

    // Controls of frmMain that start-up sizes the window by.
    long fraControlsHeight = 1935;
    // The tray menu's stop-session entry.
    bool mnuStopSessionEnabled = true;
};

} // namespace orvan
