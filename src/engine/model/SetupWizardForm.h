#pragma once

#include "model/DialogCaption.h"
#include "model/FormModel.h"

#include <array>
#include <string>

namespace orvan {

// The configuration wizard: a welcome page and five steps (server connection,
// workstation name, start-up, user rights, finish). SetupWizard holds the behaviour.
struct SetupWizardForm : FormModel {
    static constexpr int kWelcome = 0;
    static constexpr int kLastStep = 5;

    enum class Control {
        None,
        optServerAutoConnect,
        txtServerName,
        txtWksnName,
        chkStartAtLogon,
        chkAllowLockdown,
        chkActivateNow
    };
    enum class Button { None, cmdNext, cmdFinish };

    int intStep = kWelcome;
    bool blnFinished = false;

    // Which page shows.
    bool fraWelcomeVisible = true;
    bool fraWizardContainerVisible = false;
    bool cmdBackVisible = false;
    bool cmdNextVisible = true;
    bool cmdFinishVisible = false;
    Button defaultButton = Button::cmdNext;
    Control focus = Control::None;
    int focusRequests = 0; // counts moves of the focus, so that a field can be asked again

    // The fields.
    bool optServerAutoConnect = true; // otherwise optServerManualConnect
    bool serverFieldsEnabled = false; // txtServerName, txtPortNum, lbl(0), lbl(1)
    std::string txtServerName;
    std::string txtPortNum;
    std::string txtWksnName;
    bool chkStartAtLogon = false;
    bool chkStartActive = false;
    bool chkAllowLockdown = false;
    bool chkActivateNow = false;

    // Texts, localized on load.
    std::string lblWelcomeTitle;
    std::string lblWelcomeText;
    std::string lblWelcomeHelp;
    std::string lblContact; // lbl(6)
    std::string lblConfigStepTitle;
    std::string lblConfigStepDescription;
    std::array<std::string, kLastStep + 1> lblStepIntro{}; // by step, 1 to 5
    DialogCaption optServerAutoConnectText;
    DialogCaption optServerManualConnectText;
    std::string lblServerName;   // lbl(0)
    std::string lblPortNum;      // lbl(1)
    std::string lblServerFormat; // which addresses the name field takes
    std::string lblWksnName;     // lbl(2)
    DialogCaption chkStartAtLogonText;
    DialogCaption chkStartActiveText;
    DialogCaption chkAllowLockdownText;
    std::string lblCurrentUser;   // lbl(3) and lbl(4)
    std::string lblRightsWarning; // lbl(5)
    std::string chkActivateNowText;
    std::string cmdBackCaption;
    std::string cmdNextCaption;
    std::string cmdCancelCaption;
    std::string cmdFinishCaption;
};

} // namespace orvan
