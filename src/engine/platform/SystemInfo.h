#pragma once

#include <string>
#include <vector>

namespace orvan {

struct NetworkAdapter {
    static constexpr int kEthernet = 6;
    static constexpr int kLoopback = 24;
    static constexpr int kWireless = 71;

    std::string name;
    int type = kEthernet;
    // Hardware address in upper-case hexadecimal, two digits per byte, no separators.
    std::string hardwareAddress;
    // IPv4 addresses in dotted form, primary first.
    std::vector<std::string> addresses;
};

// Facts about the computer and the logged-on user.
class SystemInfo {
public:
    static constexpr int kPlatformNt = 2;

    virtual ~SystemInfo() = default;

    virtual int platformId() const = 0;
    virtual std::string computerName() const = 0;
    virtual std::string userName() const = 0;
    // The user's locale as a Windows locale identifier (1033 US English, 1054 Thai).
    virtual int threadLocaleId() const = 0;
    // The single-byte code page Windows would use for that locale (874, 1252, ...).
    virtual int ansiCodePage() const = 0;
    // The user's decimal separator ("." or ",").
    virtual std::string decimalSeparator() const = 0;
    // Date and time patterns of the user's locale in picture form ("dd/MM/yyyy",
    // "HH:mm:ss"): d, M, y, H (24 h), h (12 h), m, s, tt (AM/PM).
    virtual std::string shortDatePattern() const = 0;
    virtual std::string longTimePattern() const = 0;
    virtual std::vector<NetworkAdapter> adapters() const = 0;

    // The folder shared by all users for application data (the data folder lives below it).
    virtual std::string commonAppDataFolder() const = 0;
    // The folder of the program itself and its file name without extension.
    virtual std::string programFolder() const = 0;
    virtual std::string programFileName() const = 0;
};

} // namespace orvan
