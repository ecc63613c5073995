#pragma once

#include "base/CommandLine.h"
#include "model/ConstWksn.h"
#include "model/Forms.h"
#include "model/MainTimers.h"
#include "model/Settings.h"
#include "model/Workstation.h"
#include "model/clsUser.h"
#include "platform/Platform.h"

#include <memory>
#include <string>

namespace orvan {

class ConstantsRepository;
class ErrorReporter;
class Localization;
class Log;
class MessageCatalogue;
class RegistrySettings;
class Scrambler;
class SettingsRepository;
class WireNumbers;

// The state of the link to the server that several subsystems read.
struct LinkState {
    bool blnConnecting = false;  // a connect was started; the watchdog reports progress
    bool blnConnected = false;   // the link is up (the login needs it)
    bool blnServerReady = false; // the greeting went out: status reports may follow
    bool blnDisabled = false;    // disabled for the rest of the run
    bool blnWaiting = false;     // a session-open request waits for its answer
    int intAnswerCode = 0;       // 0 accepted, else the server's refusal code
    std::string strWallpaperPath;
};

// What the subsystems share: the ports, the services every procedure uses, and the
// program-wide state (flags, settings, constants, the workstation and its windows).
// The client owns all of it; each subsystem holds a reference to this one place.
struct EngineContext {
    EngineContext(Platform platform_, Log& log_, ErrorReporter& errors_,
                  Localization& localization_, MessageCatalogue& messages_,
                  const WireNumbers& numbers_, const Scrambler& scrambler_,
                  RegistrySettings& registry_, SettingsRepository& settingsRepository_,
                  ConstantsRepository& constantsRepository_)
        : platform(platform_)
        , log(log_)
        , errors(errors_)
        , localization(localization_)
        , messages(messages_)
        , numbers(numbers_)
        , scrambler(scrambler_)
        , registry(registry_)
        , settingsRepository(settingsRepository_)
        , constantsRepository(constantsRepository_) {}

    Platform platform;
    Log& log;
    ErrorReporter& errors;
    Localization& localization;
    MessageCatalogue& messages;
    const WireNumbers& numbers;
    const Scrambler& scrambler;
    RegistrySettings& registry;
    SettingsRepository& settingsRepository;
    ConstantsRepository& constantsRepository;

    std::string strAppTitle;
    std::string strAppKey;
    CommandLine flags;
    Settings settings;
    ConstWksn constants;
    Workstation workstation;
    Forms forms;
    MainTimers timers;
    std::unique_ptr<clsUser> user;
    LinkState link;
    bool blnShuttingDown = false;
    bool trayIconShown = false;
    int intLoginAttempts = 0;

    // Local time as a serial.
    double now() const;
    // Where an idle workstation waits: the default state, or the blocked screen once
    // the link is disabled, since no customer can log in through it any more.
    int idleState() const;
};

} // namespace orvan
