#pragma once

#include "billing/AmountDue.h"
#include "config/ConstantsRepository.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "config/SettingsUpgrade.h"
#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "core/Log.h"
#include "core/SessionClock.h"
#include "core/SessionControl.h"
#include "core/Startup.h"
#include "lockdown/AppControl.h"
#include "lockdown/LockScreen.h"
#include "lockdown/SessionCleanup.h"
#include "net/Scrambler.h"
#include "net/ServerReports.h"
#include "net/WireNumbers.h"
#include "ui/Localization.h"
#include "ui/MessageCatalogue.h"
#include "ui/MsgBox.h"

#include <functional>
#include <memory>
#include <string_view>

namespace orvan {

// The whole workstation client, built on the ports it is given. Everything runs on
// the caller's thread: each timer tick and user action is one call, handled to the end.
class Client {
public:
    // Builds what the client tells the server; tests hand in a recording one.
    using ReportsFactory = std::function<std::unique_ptr<ServerReports>(EngineContext&)>;

    explicit Client(Platform platform, AppVersion version = AppVersion::current(),
                    const ReportsFactory& makeReports = {});
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void Main(std::string_view commandLine) { startup_.Main(commandLine); }

    EngineContext& context() { return context_; }
    Startup& startup() { return startup_; }
    SessionControl& sessionControl() { return sessionControl_; }
    LockScreen& lockScreen() { return lockScreen_; }
    SessionClock& sessionClock() { return clock_; }
    MsgBox& msgBox() { return msgBox_; }
    AmountDue& amountDue() { return amountDue_; }
    AppControl& appControl() { return appControl_; }
    SessionCleanup& sessionCleanup() { return cleanup_; }
    ServerReports& reports() { return *reports_; }

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
    std::unique_ptr<ServerReports> reports_;
    AppControl appControl_;
    SessionCleanup cleanup_;
    LockScreen lockScreen_;
    SessionControl sessionControl_;
    MsgBox msgBox_;
    AmountDue amountDue_;
    SessionClock clock_;
    Startup startup_;
};

} // namespace orvan
