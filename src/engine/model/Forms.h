#pragma once

#include "model/BlockForm.h"
#include "model/FormModel.h"
#include "model/MsgBoxForm.h"

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
