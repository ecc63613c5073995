#pragma once

#include <string>

namespace orvan {

// The settings an unattended install answers in place of the setup wizard: where the
// server is (empty: found by broadcast), the workstation's name, the administrator
// password (stored scrambled, as the client stores it), and the wizard marked done for
// the machine and for the account that logs into the kiosk session.
struct PreseedSettings {
    std::string serverName;
    std::string workstationName;
    std::string password;
    std::string kioskAccount;

    // Writes them into the data folder's hives; false, with `error` set, when a hive
    // cannot be written. Other settings already there are kept.
    bool write(const std::string& dataFolder, std::string& error) const;
};

} // namespace orvan
