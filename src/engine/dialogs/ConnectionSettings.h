#pragma once

#include <optional>
#include <string>

namespace orvan {

struct EngineContext;
class ServerLink;

// What the options dialog and the setup wizard both save: the server connection, the
// workstation's name and start-up, written through the settings store, after which the
// link connects again with them. Also the field rules the two windows share.
class ConnectionSettings {
public:
    static constexpr long kMaxPort = 65'535;
    static constexpr long kDefaultPort = 4646;

    struct Fields {
        bool automatic = true;
        std::string serverName;
        std::string port;
        std::string wksnName;
        bool startActive = true;
        bool startAtLogon = false;
        bool allowLockdown = true;
        std::optional<bool> standalone; // only the options dialog changes it
    };

    ConnectionSettings(EngineContext& context, ServerLink& link);

    // The settings' current values, as the windows show them.
    Fields current() const;

    // Between the fields and a window that shows them under the controls' names.
    template <typename Form>
    static Fields of(const Form& form) {
        Fields fields;
        fields.automatic = form.optServerAutoConnect;
        fields.serverName = form.txtServerName;
        fields.port = form.txtPortNum;
        fields.wksnName = form.txtWksnName;
        fields.startActive = form.chkStartActive;
        fields.startAtLogon = form.chkStartAtLogon;
        fields.allowLockdown = form.chkAllowLockdown;
        return fields;
    }
    template <typename Form>
    static void show(const Fields& fields, Form& form) {
        form.optServerAutoConnect = fields.automatic;
        form.txtServerName = fields.serverName;
        form.txtPortNum = fields.port;
        form.txtWksnName = fields.wksnName;
        form.chkStartActive = fields.startActive;
        form.chkStartAtLogon = fields.startAtLogon;
        form.chkAllowLockdown = fields.allowLockdown;
    }
    // Writes every field (subSetSystemSettings), then reconnects with them.
    void save(const Fields& fields);

    // Blanks at either end dropped and then every character that is not a digit.
    static std::string digitsOnly(const std::string& typed);
    // A port above the largest becomes the largest.
    static std::string clampedPort(const std::string& digits);
    static bool nameIsRefused(const std::string& wksnName);

private:
    EngineContext& context_;
    ServerLink& link_;
};

} // namespace orvan
