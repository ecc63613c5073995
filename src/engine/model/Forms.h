#pragma once

#include "model/BlockForm.h"
#include "model/ControlTexts.h"
#include "model/FormModel.h"
#include "model/MsgBoxForm.h"
#include "model/OptionsForm.h"
#include "model/PasswdChangeForm.h"
#include "model/PasswdCloseForm.h"
#include "model/PasswdForm.h"
#include "model/PasswdLogOffForm.h"
#include "model/SetupWizardForm.h"

#include <string>

namespace orvan {

// A status window: the session's counters, the usage-mode choice and its buttons.
struct StatusForm : FormModel {
    // A chat pane shows a few screens of lines; hundreds of lines fit in this much,
    // while a chatty or flooding server cannot grow the history for the whole session.
    static constexpr std::size_t kMaxChatHistory = 64 * 1024;

    bool optConnected = false;
    bool optDisconnected = false;
    bool cmdQuitEnabled = true;
    bool cmdChatEnabled = false; // only while the server can hear
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
    // What the customer is typing, and a count the window follows to put the focus
    // into the chat input each time it grows.
    std::string txtWksnChat;
    unsigned txtWksnChatFocusRequests = 0;
    // The button the window gives the focus to each time the count grows: where a
    // confirmation asked from the window leaves the customer.
    std::string focusedButton;
    unsigned focusRequests = 0;
    ControlTexts texts;

    bool operator==(const StatusForm&) const = default;

    void moveFocus(std::string button) {
        focusedButton = std::move(button);
        ++focusRequests;
    }

    // Adds a line to the history; the oldest lines fall off beyond the limit. The newest
    // line stays whole, however long: it is bounded by the size of one message.
    void appendChatLine(const std::string& line) {
        if (!txtWksnChatHist.empty()) {
            txtWksnChatHist += "\r\n";
        }
        const auto newest = txtWksnChatHist.size();
        txtWksnChatHist += line;
        if (txtWksnChatHist.size() <= kMaxChatHistory || newest == 0) {
            return;
        }
        // The first line break after which the rest fits, but none inside the newest line.
        const auto fitsFrom = txtWksnChatHist.size() - kMaxChatHistory;
        auto lineBreak = txtWksnChatHist.find("\r\n", fitsFrom < 2 ? 0 : fitsFrom - 2);
        if (lineBreak > newest - 2) {
            lineBreak = newest - 2;
        }
        txtWksnChatHist.erase(0, lineBreak + 2);
    }
};

// The main window: shown while the workstation is deactivated; its labels tell the
// state of the link to the server.
struct MainForm : FormModel {
    std::string lblConnexionStatus;
    std::string lblServerName;
    bool cmdActiverEnabled = true;
    bool cmdQuitIsDefault = false;
    ControlTexts texts; // the buttons, labels and menus
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
    SetupWizardForm frmSetupWizard;
    PasswdForm frmPasswd;
    PasswdCloseForm frmPasswdClose;
    PasswdLogOffForm frmPasswdLogOff;
    PasswdChangeForm frmPasswdChange;
    OptionsForm frmOptions;

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
