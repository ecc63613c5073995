#pragma once

#include "model/DialogCaption.h"
#include "model/FormModel.h"

#include <string>

namespace orvan {

// The options dialog: the server connection, the workstation's name, start-up, the
// lockdown permission and the usage mode, locked behind the administrator password.
// OptionsDialog holds the behaviour.
struct OptionsForm : FormModel {
    enum class Control {
        None,
        chkLocked,
        txtLockedPassword,
        optServerAutoConnect,
        txtServerName,
        txtWksnName
    };
    enum class Button { cmdSave, cmdUnlockOptions };

    // The fields.
    bool optServerAutoConnect = true; // otherwise optServerManualConnect
    std::string txtServerName;
    std::string txtPortNum;
    std::string txtWksnName;
    bool optWksnTypeSndAln = true; // otherwise optWksnTypeDskless
    bool chkStartActive = false;
    bool chkStartAtLogon = false;
    bool chkAllowLockdown = false;

    // The lock.
    bool chkLocked = false;
    bool lockedPicture = true; // the closed padlock; the open one when false
    std::string chkLockedToolTip;
    bool fraAdminPasswordVisible = false;
    std::string txtLockedPassword;
    bool lblLockedVisible = true;
    bool lblUnlockedVisible = false;
    // Every control but the lock's own (chkLocked, the password frame, cmdCancel and
    // the lock labels), which stay enabled.
    bool controlsEnabled = false;
    bool serverFieldsEnabled = false; // txtServerName, txtPortNum, lbl(0), lbl(1)
    Button defaultButton = Button::cmdSave;
    Control focus = Control::None;
    int focusRequests = 0;

    bool blnSettingsChanged = false;
    bool blnUsageModeChanged = false;

    // Texts, localized on load.
    DialogCaption optServerAutoConnectText;
    DialogCaption optServerManualConnectText;
    std::string lblServerName; // lbl(0)
    DialogCaption txtServerNameText;
    std::string lblPortNum; // lbl(1)
    DialogCaption txtPortNumText;
    std::string lblServerFormat;
    std::string lblWksnName; // lbl(2)
    DialogCaption txtWksnNameText;
    std::string lblWorkstation; // lbl(3)
    std::string lblServer;      // lbl(6)
    std::string lblUsageMode;   // lbl(4)
    DialogCaption optWksnTypeSndAlnText;
    DialogCaption optWksnTypeDsklessText;
    DialogCaption chkStartActiveText;
    DialogCaption chkStartAtLogonText;
    DialogCaption chkAllowLockdownText;
    DialogCaption cmdSaveText;
    DialogCaption cmdCancelText;
    std::string lblLockedPassword;
    std::string txtLockedPasswordToolTip;
    std::string cmdUnlockOptionsToolTip;
    std::string lblLocked;
    std::string lblUnlocked;
};

} // namespace orvan
