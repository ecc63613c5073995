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
    bool cmdChatEnabled = false;       // only while the server can hear
    bool cmdCliPasswordEnabled = false;
    bool fraChatVisible = false;
    bool optDisconnectedEnabled = true;

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
    Option optConnected{true, true};
    Option optDisconnected{true, false};
    bool fraCardNumberVisible = true;
    bool fraClientVisible = false;
    std::string txtCardNum;
    std::string txtLogin;
    std::string txtPassword;
    bool cmdCxnEnabled = false;
    bool cmdReCnxEnabled = false;
    bool txtCardNumEnabled = true;
    bool txtLoginEnabled = true;
    bool txtPasswordEnabled = true;
    bool busyPointer = false;       // the hourglass while a login waits
    bool tmrUnblockEnabled = false; // the lock-out count-down
    // The connection indicator: its text, its picture (1-3) and whether it blinks.
    std::string lblCnxIndicator;
    int imgCnxIndicator = 1;
    bool tmrNoServCnxEnabled = false;
    bool shownOnce = false;
    std::string followImagePath; // the server's screen in follow mode
    std::string rtbMessageFile;  // the rich-text message shown for the state; empty: none
    std::string picLogoFile;     // the cafe's logo; empty: none
    bool fraLoginVisible = true;
    bool fraBlockedVisible = false;
    bool tmrCloseSessionEnabled = false;
};

// The main window: shown while the workstation is deactivated; its labels tell the
// state of the link to the server.
struct MainForm : FormModel {
    std::string lblConnexionStatus;
    std::string lblServerName;
    bool cmdActiverEnabled = true;
    bool cmdQuitIsDefault = false;
};

// The windows of the program, as models the front end renders.
struct Forms {
    MainForm frmMain;
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

    // The status window `form` is, if it is one.
    StatusForm* statusFormOf(const FormModel* form) {
        for (auto* status : {&frmStatus, &frmSmallStatus, &frmMicroStatus}) {
            if (form == status) {
                return status;
            }
        }
        return nullptr;
    }
};

} // namespace orvan
