#include "config/SettingsRepository.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "config/RegistrySettings.h"
#include "localization/Localization.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "wire/Scrambler.h"
#include "wire/WireNumbers.h"

#include <algorithm>

namespace orvan {
namespace {

constexpr int SZ = RegistrySettings::REG_SZ;
constexpr int DWORD = RegistrySettings::REG_DWORD;

std::string flag(bool value) {
    return value ? "1" : "0";
}

std::string withoutHash(std::string name) {
    name.erase(std::remove(name.begin(), name.end(), '#'), name.end());
    return name;
}

} // namespace

SettingsRepository::SettingsRepository(Ports ports, std::string appKey)
    : ports_(ports)
    , appKey_(std::move(appKey)) {}

std::string SettingsRepository::machine(const std::string& section, const std::string& name,
                                        const std::string& def, int type) {
    return ports_.registry.GetRegSettings(appKey_, section, name, def, type);
}

std::string SettingsRepository::user(const std::string& section, const std::string& name,
                                     const std::string& def, int type) {
    return ports_.registry.GetRegUserSettings(appKey_, section, name, def, type);
}

long SettingsRepository::number(const std::string& text, long def) const {
    // A garbled value must not keep the workstation from starting: log it, use the default.
    try {
        return WireNumbers{}.toInteger(text);
    } catch (const AppError& error) {
        ports_.errors.report(AppError(error.number(), error.description() + ": \"" + text + "\""),
                             "modFunctions.subGetSystemSettingsError", OnError::LogOnly);
        return def;
    }
}

int SettingsRepository::defaultState(const std::string& text) const {
    const long state = number(text, Settings::kFallbackDefaultState);
    if (Settings::isIdleDefaultState(state)) {
        return static_cast<int>(state);
    }
    ports_.errors.report(AppError(AppError::kInvalidCall,
                                  "\"Default State\" is not an idle state: \"" + text + "\""),
                         "modFunctions.subGetSystemSettingsError", OnError::LogOnly);
    return Settings::kFallbackDefaultState;
}

std::string SettingsRepository::autostartCommand() const {
    return "\"" + ports_.system.programFolder() + "/" + ports_.system.programFileName() + "\"";
}

void SettingsRepository::subGetSystemSettings(Settings& settings) {
    auto& s = settings;
    const auto& system = ports_.system;
    s.strWinUserName = Utf8::lowerAscii(system.userName());
    s.blnStandaloneWorkstation =
        number(machine(kGeneral, "Standalone Workstation", "1", DWORD), 1) == 1;
    const auto defaultName =
        s.blnStandaloneWorkstation ? Utf8::lowerAscii(system.computerName()) : s.strWinUserName;
    s.strWksnName = withoutHash(s.blnStandaloneWorkstation
                                    ? machine(kGeneral, "Workstation Name", defaultName, SZ)
                                    : user(kGeneral, "Workstation Name", defaultName, SZ));
    s.strPassword = ports_.scrambler.funDoXOR(machine(kGeneral, "Password", "", SZ), appKey_);
    s.intConfigWizardMachine =
        static_cast<int>(number(machine(kGeneral, "Config Wizard", "0", SZ), 0));
    s.intConfigWizardUser = static_cast<int>(number(user(kGeneral, "Config Wizard", "0", SZ), 0));
    s.blnHideCardNumber = number(machine(kGeneral, "Hide Card Number", "0", DWORD), 0) == 1;
    s.intDefaultState = defaultState(machine(kGeneral, "Default State", "2", SZ));
    s.intDefaultMode = static_cast<int>(number(machine(kGeneral, "Default Mode", "1", SZ), 1));
    s.intDefaultUsage = static_cast<int>(number(machine(kGeneral, "Default Usage", "2", SZ), 2));
    s.strLogoPath = machine(kGeneral, "Logo path", s.strDataPath + "/logo.png", SZ);

    const auto locale = system.threadLocaleId();
    const auto language =
        machine(kGeneral, "Interface Language",
                system.programFileName() + Localization::suffixForLocale(locale), SZ);
    const auto charset =
        number(machine(kGeneral, "Interface Language Charset",
                       std::to_string(Localization::charsetForLocale(locale)), DWORD),
               Localization::charsetForLocale(locale));
    ports_.localization.setLanguages(language, charset);

    s.intMsgLogoFilesType =
        static_cast<int>(number(machine(kGeneral, "Message & Logo Files Type", "0", DWORD), 0));
    s.blnStartActive = number(user(kGeneral, "Start active", "1", DWORD), 1) == 1;
    s.blnAllowLockdown = number(user(kGeneral, "Allow Lockdown", "1", DWORD), 1) == 1;
    s.blnStartWithWindows =
        !ports_.shell.autostartCommand().empty() || s.intConfigWizardMachine == 0;

    s.strServerName = machine(kServer, "Name", "", SZ);
    s.strServerPort = machine(kServer, "Port", "4646", SZ);
    s.strTimeOut = machine(kServer, "TimeOut", "10", SZ);
    s.blnAutoServerCnx =
        number(machine(kServer, "Automatic Server Connection", "1", DWORD), 1) == 1;

    readMessagePaths(s, language);
    deriveValues(s);
}

void SettingsRepository::readMessagePaths(Settings& s, const std::string& language) {
    const auto folder = s.strDataPath + "/" +
                        Localization::messageFilePrefix(language, ports_.system.programFileName());
    s.strMsgIntro = machine(kMessagePaths, "Intro", folder + "intro.rtf", SZ);
    s.strMsgBlocked = machine(kMessagePaths, "Blocked", folder + "blocked.rtf", SZ);
    s.strMsgNoCredit = machine(kMessagePaths, "No credit", folder + "nocredit.rtf", SZ);
    s.strMsgSessionEnd = machine(kMessagePaths, "Session end", folder + "sessionend.rtf", SZ);
    s.strMsgSessionPaused =
        machine(kMessagePaths, "Session paused", folder + "sessionpaused.rtf", SZ);
}

void SettingsRepository::deriveValues(Settings& s) const {
    const auto& system = ports_.system;
    const auto computer = Utf8::lowerAscii(system.computerName());
    s.strComputerId = s.blnStandaloneWorkstation ? computer : s.strWinUserName;
    s.strWksnAddress = s.blnStandaloneWorkstation ? computer : s.strWinUserName;
    if (s.blnStandaloneWorkstation) {
        for (const auto& adapter : system.adapters()) {
            if (adapter.type == NetworkAdapter::kEthernet && !adapter.addresses.empty() &&
                adapter.addresses.front() != "0.0.0.0") {
                s.strWksnAddress = adapter.hardwareAddress;
                break;
            }
        }
    }
    const auto program = system.programFileName();
    s.strLogFile = s.blnStandaloneWorkstation
                       ? s.strDataPath + "/" + program + ".log"
                       : s.strDataPath + "/" + s.strWinUserName + "-" + program + ".log";
}

void SettingsRepository::subSetSystemSettings(const Settings& s, long startDelaySeconds) {
    ports_.errors.trap("modFunctions.subSetSystemSettingsError", OnError::PassOn, [&] {
        auto& registry = ports_.registry;
        const auto& localization = ports_.localization;
        registry.SetRegSettings(appKey_, kGeneral, "Standalone Workstation",
                                flag(s.blnStandaloneWorkstation), DWORD);
        if (s.blnStandaloneWorkstation) {
            registry.SetRegSettings(appKey_, kGeneral, "Workstation Name", s.strWksnName, SZ);
        } else {
            registry.SetRegUserSettings(appKey_, kGeneral, "Workstation Name", s.strWksnName, SZ);
        }
        registry.SetRegSettings(appKey_, kServer, "Name", s.strServerName, SZ);
        registry.SetRegSettings(appKey_, kServer, "Port", s.strServerPort, SZ);
        registry.SetRegSettings(appKey_, kServer, "TimeOut", s.strTimeOut, SZ);
        registry.SetRegSettings(appKey_, kServer, "Automatic Server Connection",
                                flag(s.blnAutoServerCnx), DWORD);
        registry.SetRegSettings(appKey_, kGeneral, "Interface Language",
                                localization.defaultLanguage(), SZ);
        registry.SetRegSettings(appKey_, kGeneral, "Interface Language Charset",
                                std::to_string(localization.defaultCharset()), DWORD);
        registry.SetRegSettings(appKey_, kGeneral, "Start Delay", std::to_string(startDelaySeconds),
                                SZ);
        registry.SetRegUserSettings(appKey_, kGeneral, "Start active", flag(s.blnStartActive),
                                    DWORD);
        registry.SetRegUserSettings(appKey_, kGeneral, "Allow Lockdown", flag(s.blnAllowLockdown),
                                    DWORD);
        const bool saved = s.blnStartWithWindows
                               ? ports_.shell.setAutostartCommand(autostartCommand())
                               : ports_.shell.removeAutostart();
        if (!saved) {
            throw AppError(AppError::kPathFileAccess, "The log-on start entry could not be saved");
        }
    });
}

void SettingsRepository::subGetUserSettings(Settings& s) {
    const auto& screen = ports_.screen;
    s.lngMainWindowTop = number(
        user(kMainWindowPosition, "Top", std::to_string((screen.heightTwips() - 1935) / 2), SZ),
        (screen.heightTwips() - 1935) / 2);
    s.lngMainWindowLeft = number(
        user(kMainWindowPosition, "Left", std::to_string((screen.widthTwips() - 4740) / 2), SZ),
        (screen.widthTwips() - 4740) / 2);
}

void SettingsRepository::subSetUserSettings(const Settings& s) {
    ports_.errors.trap("modFunctions.subSetUserSettingsError", OnError::PassOn, [&] {
        ports_.registry.SetRegUserSettings(appKey_, kMainWindowPosition, "Top",
                                           std::to_string(s.lngMainWindowTop), SZ);
        ports_.registry.SetRegUserSettings(appKey_, kMainWindowPosition, "Left",
                                           std::to_string(s.lngMainWindowLeft), SZ);
    });
}

} // namespace orvan
