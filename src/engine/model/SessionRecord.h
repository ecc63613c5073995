#pragma once

#include <string>

namespace orvan {

// The customer session on this computer. Durations are day fractions (1.0 = 24 h).
struct SessionRecord {
    std::string strUserID;     // card number (type 2) or member login (type 4)
    std::string strUserPasswd; // member password as typed
    long lngSessionID = -1;    // the server's session number; -1 when none
    float sngUserBalance = 0;  // amount due of a session paid afterwards
    double dteSessionStart = 0;
    double dteNoCreditTime = 0;
    double dteTotalTime = 0;
    double dteElapsedTime = 0; // total time less the time without credit
    double dteConnectedTime = 0;
    double dteCnxTimeOffPeak = 0;
    double dteDisconnectedTime = 0;
    double dteRemainingTime = 0;  // credit left, in tariff time
    double dteRemTimeAparent = 0; // wall time left at the current rate
    double dteCreditTime = 0;
    double dteRemainingAtDisconnect = 0;
    double dteValidUntil = 0;
    int intSessionType = 0;
    bool blnUnlimited = false;
    long lngOwedSteps = 0;
    bool blnNoInetNotified = false;
};

} // namespace orvan
