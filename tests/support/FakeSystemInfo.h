#pragma once

#include "platform/SystemInfo.h"

namespace orvan::test {

// A computer with fixed, editable facts: "PC-07" of user "Somchai", US English.
class FakeSystemInfo : public SystemInfo {
public:
    FakeSystemInfo();

    int platformId() const override { return platform; }
    std::string computerName() const override { return computer; }
    std::string userName() const override { return user; }
    int threadLocaleId() const override { return localeId; }
    int ansiCodePage() const override { return codePage; }
    std::string decimalSeparator() const override { return decimal; }
    std::string shortDatePattern() const override { return datePattern; }
    std::string longTimePattern() const override { return timePattern; }
    std::vector<NetworkAdapter> adapters() const override { return adapterList; }
    std::string commonAppDataFolder() const override { return appData; }
    std::string programFolder() const override { return programDir; }
    std::string programFileName() const override { return programName; }

    int platform = kPlatformNt;
    std::string computer = "PC-07";
    std::string user = "Somchai";
    int localeId = 1033;
    int codePage = 1252;
    std::string decimal = ".";
    std::string datePattern = "M/d/yyyy";
    std::string timePattern = "h:mm:ss tt";
    std::vector<NetworkAdapter> adapterList;
    std::string appData = "/appdata";
    std::string programDir = "/program";
    std::string programName = "orvanclient";
};

} // namespace orvan::test
