#pragma once

#include "model/Settings.h"

#include <string>

namespace orvan {

class ErrorReporter;
class Localization;
class RegistrySettings;
class Scrambler;
class Screen;
class Shell;
class SystemInfo;

// Reads and writes the whole set of machine and user settings.
class SettingsRepository {
public:
    static constexpr const char* kGeneral = "General";
    static constexpr const char* kServer = "Server";
    static constexpr const char* kMessagePaths = "Message paths";
    static constexpr const char* kMainWindowPosition = "Main window position";

    struct Ports {
        RegistrySettings& registry;
        ErrorReporter& errors;
        const SystemInfo& system;
        const Screen& screen;
        Shell& shell;
        const Scrambler& scrambler;
        Localization& localization;
    };

    SettingsRepository(Ports ports, std::string appKey);

    // Every "General", "Server" and "Message paths" value, the derived values and the
    // log path; sets both languages from "Interface Language".
    void subGetSystemSettings(Settings& settings);
    void subSetSystemSettings(const Settings& settings, long startDelaySeconds);
    void subGetUserSettings(Settings& settings);
    void subSetUserSettings(const Settings& settings);

    // The command that starts the program at logon.
    std::string autostartCommand() const;

private:
    std::string machine(const std::string& section, const std::string& name, const std::string& def,
                        int type);
    std::string user(const std::string& section, const std::string& name, const std::string& def,
                     int type);
    long number(const std::string& text, long def) const;
    int defaultState(const std::string& text) const;
    void readMessagePaths(Settings& settings, const std::string& language);
    void deriveValues(Settings& settings) const;

    Ports ports_;
    std::string appKey_;
};

} // namespace orvan
