#pragma once

#include <string>

namespace orvan {

// The machine and user settings as read at start-up, with the values derived from
// them. Language state lives with the localization.
struct Settings {
    // "Default State" names where an idle workstation waits: the login screen or the
    // blocked screen. Any other state would leave the computer without a lock screen.
    static constexpr int kFallbackDefaultState = 2;
    static bool isIdleDefaultState(long state) { return state == 2 || state == 3; }

    int intSettingsVersion = 0;
    bool blnStandaloneWorkstation = true;
    std::string strWksnName;
    std::string strPassword; // plain; stored scrambled
    int intConfigWizardMachine = 0;
    int intConfigWizardUser = 0;
    bool blnHideCardNumber = false;
    int intDefaultState = 2;
    int intDefaultMode = 1;
    int intDefaultUsage = 2;
    std::string strLogoPath;
    int intMsgLogoFilesType = 0;
    bool blnStartActive = true;
    bool blnAllowLockdown = true;
    bool blnStartWithWindows = false;

    std::string strServerName; // empty: find the server by broadcast
    std::string strServerPort = "4646";
    std::string strTimeOut = "10";
    bool blnAutoServerCnx = true;

    std::string strMsgIntro;
    std::string strMsgBlocked;
    std::string strMsgNoCredit;
    std::string strMsgSessionEnd;
    std::string strMsgSessionPaused;

    long lngMainWindowTop = 0;
    long lngMainWindowLeft = 0;

    // Derived, never stored.
    std::string strDataPath;
    std::string strWinUserName; // lower case
    std::string strComputerId;  // computer name (standalone) or user name
    std::string strWksnAddress; // the address the server knows us by
    std::string strLogFile;
};

} // namespace orvan
