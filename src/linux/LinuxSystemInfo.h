#pragma once

#include "platform/SystemInfo.h"

namespace orvan {

// The computer and the user as Linux reports them, expressed the way the engine
// expects (Windows locale identifiers, code pages, date pictures). Every reading is
// taken afresh, so a change of locale or address is seen at the next call.
//
// ORVAN_COMMON_APPDATA and ORVAN_PROGRAM_FOLDER move the data and program folders,
// for installations outside the usual places and for tests.
class LinuxSystemInfo : public SystemInfo {
public:
    int platformId() const override;
    std::string computerName() const override;
    std::string userName() const override;
    int threadLocaleId() const override;
    int ansiCodePage() const override;
    std::string decimalSeparator() const override;
    std::string shortDatePattern() const override;
    std::string longTimePattern() const override;
    std::vector<NetworkAdapter> adapters() const override;
    std::string commonAppDataFolder() const override;
    std::string programFolder() const override;
    std::string programFileName() const override;
};

} // namespace orvan
