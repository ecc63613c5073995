#pragma once

#include "config/ConstantsRepository.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "config/SettingsUpgrade.h"
#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "core/Log.h"
#include "core/SessionControl.h"
#include "core/Startup.h"
#include "lockdown/LockScreen.h"
#include "net/Scrambler.h"
#include "net/WireNumbers.h"
#include "ui/Localization.h"
#include "ui/MessageCatalogue.h"

#include <string_view>

namespace orvan {

// The whole workstation client, built on the ports it is given. Everything runs on
// the caller's thread: each timer tick and user action is one call, handled to the end.
class Client {
public:
    explicit Client(Platform platform, AppVersion version = AppVersion::current());
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void Main(std::string_view commandLine) { startup_.Main(commandLine); }

    EngineContext& context() { return context_; }
    Startup& startup() { return startup_; }
    SessionControl& sessionControl() { return sessionControl_; }
    LockScreen& lockScreen() { return lockScreen_; }

private:
    void createMainTimers();
    void showLogFailure(const std::string& path);

    Platform platform_;
    Log log_;
    ErrorReporter errors_;
    Localization localization_;
    MessageCatalogue messages_;
    WireNumbers numbers_;
    Scrambler scrambler_;
    RegistrySettings registry_;
    SettingsRepository settingsRepository_;
    ConstantsRepository constantsRepository_;
    EngineContext context_;
    SettingsUpgrade upgrade_;
    LockScreen lockScreen_;
    SessionControl sessionControl_;
    Startup startup_;
};

} // namespace orvan
