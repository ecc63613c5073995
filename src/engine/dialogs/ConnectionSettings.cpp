#include "dialogs/ConnectionSettings.h"

#include "base/ServerAddress.h"
#include "config/SettingsRepository.h"
#include "link/ServerLink.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"

#include <algorithm>

namespace orvan {

ConnectionSettings::ConnectionSettings(EngineContext& context, ServerLink& link)
    : context_(context)
    , link_(link) {}

ConnectionSettings::Fields ConnectionSettings::current() const {
    const auto& s = context_.settings;
    return {s.blnAutoServerCnx, s.strServerName,           s.strServerPort,
            s.strWksnName,      s.blnStartActive,          s.blnStartWithWindows,
            s.blnAllowLockdown, s.blnStandaloneWorkstation};
}

void ConnectionSettings::save(const Fields& fields) {
    auto& s = context_.settings;
    s.strServerName = ServerAddress::normalized(fields.serverName);
    // Nothing to connect to by name: the server is searched for instead.
    s.blnAutoServerCnx = fields.automatic || s.strServerName.empty();
    // No port to connect to: the protocol's own.
    const auto digits = clampedPort(digitsOnly(fields.port));
    const long port = digits.empty() ? 0 : std::stol(digits);
    s.strServerPort = std::to_string(port == 0 ? kDefaultPort : port);
    s.strWksnName = fields.wksnName;
    s.blnStartActive = fields.startActive;
    s.blnStartWithWindows = fields.startAtLogon;
    s.blnAllowLockdown = fields.allowLockdown;
    if (fields.standalone) {
        s.blnStandaloneWorkstation = *fields.standalone;
    }
    context_.settingsRepository.subSetSystemSettings(s, context_.constants.wksnStartDelay);
    link_.subRestartConnection();
    context_.forms.frmMain.lblServerName =
        s.blnAutoServerCnx ? context_.localization.funLoadResString(10310) : s.strServerName;
}

std::string ConnectionSettings::digitsOnly(const std::string& typed) {
    std::string digits;
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(digits),
                 [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

std::string ConnectionSettings::clampedPort(const std::string& digits) {
    const auto significant = digits.find_first_not_of('0');
    if (significant == std::string::npos) {
        return digits;
    }
    // Compared by length first: the text may be longer than any integer.
    const auto value = digits.substr(significant);
    if (value.size() > 5 || std::stol(value) > kMaxPort) {
        return std::to_string(kMaxPort);
    }
    return digits;
}

bool ConnectionSettings::nameIsRefused(const std::string& wksnName) {
    return wksnName.find('#') != std::string::npos;
}

} // namespace orvan
