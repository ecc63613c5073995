#pragma once

#include <string>

namespace orvan {

// The workstation constants the cafe server owns. The two times are day fractions
// here and whole minutes in the settings store; the switches are 0 or 1.
struct ConstWksn {
    // Messages up to the storage threshold are held whole in memory; a mistyped or hostile
    // constant must not let a server make the client hold whole files there.
    static constexpr long kMaxMinSizeTmpFileStore = 1L << 20;

    std::string cnxBroardcastAdr = "255.255.255.255";
    long cnxMinSizeTmpFileStore = 50'000;
    int cnxUdpPortServer = 4647;
    int cnxUdpPortWksn = 4648;
    std::string genAdminLogon = "wardn";
    std::string genCurrencySymb = "</currSymbol>";
    int genScrCapCompressRatio = 90;
    double wksnActivateDelayTime = 2.0 / 1440.0;
    int wksnCheckSamePcAsServer = 1;
    long wksnCnxBootDelay = 90'000;
    long wksnCnxMinDelay = 2'000;
    int wksnDisableSessCloseButton = 0;
    int wksnHeartBeatCheck = 30;
    int wksnHideAllStatusWin = 0;
    int wksnMaxNumUseAtempts = 3;
    int wksnMuteVolWhenBlocked = 1;
    int wksnRebootOnSessionEnd = 0;
    int wksnRegistryFlushInterval = 30;
    double wksnSessionExpiryTime = 5.0 / 1440.0;
    int wksnShutdownDelay = 5;
    long wksnStartDelay = 30;

    // Derived after every read or update.
    bool blnHideAllStatusWin = false;
    bool blnDisableSessCloseButton = false;

    void deriveFlags() {
        blnHideAllStatusWin = wksnHideAllStatusWin == 1;
        blnDisableSessCloseButton = wksnDisableSessCloseButton == 1;
    }

    // Bounds the values the client's memory depends on, after every read or update.
    void clampLimits() {
        if (cnxMinSizeTmpFileStore > kMaxMinSizeTmpFileStore) {
            cnxMinSizeTmpFileStore = kMaxMinSizeTmpFileStore;
        }
    }

    bool operator==(const ConstWksn&) const = default;
};

} // namespace orvan
