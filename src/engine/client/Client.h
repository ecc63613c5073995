#pragma once

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "billing/AmountDue.h"
#include "client/Startup.h"
#include "config/ConstantsRepository.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "config/SettingsUpgrade.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/PasswordDialogs.h"
#include "dialogs/SetupWizard.h"
#include "link/InboundStream.h"
#include "link/ReceivedFiles.h"
#include "link/ServerCommands.h"
#include "link/ServerDispatcher.h"
#include "link/ServerLink.h"
#include "link/ServerReports.h"
#include "link/SessionSnapshot.h"
#include "link/WorkstationCommands.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "lockdown/AddressMonitor.h"
#include "lockdown/AppControl.h"
#include "lockdown/SessionCleanup.h"
#include "lockscreen/LockScreen.h"
#include "lockscreen/LockScreenActions.h"
#include "lockscreen/LockScreenTimers.h"
#include "lockscreen/Login.h"
#include "lockscreen/LoginPanel.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "session/SessionClock.h"
#include "session/SessionControl.h"
#include "status/StatusWindows.h"
#include "tray/AboutBox.h"
#include "tray/MainWindow.h"
#include "tray/NotifyIcon.h"
#include "wire/MessageSender.h"
#include "wire/Scrambler.h"
#include "wire/WireNumbers.h"

#include <functional>
#include <memory>
#include <string_view>

namespace orvan {

// The whole workstation client, built on the ports it is given. Everything runs on
// the caller's thread: each timer tick and user action is one call, handled to the end.
class Client {
public:
    // Builds what the client tells the server; tests hand in a recording one.
    using ReportsFactory =
        std::function<std::unique_ptr<ServerReports>(EngineContext&, ServerReports::Parts)>;

    explicit Client(Platform platform, AppVersion version = AppVersion::current(),
                    const ReportsFactory& makeReports = {});
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void Main(std::string_view commandLine) { startup_.Main(commandLine); }

    EngineContext& context() { return context_; }
    Startup& startup() { return startup_; }
    SessionControl& sessionControl() { return sessionControl_; }
    LockScreen& lockScreen() { return lockScreen_; }
    LockScreenTimers& lockScreenTimers() { return lockScreenTimers_; }
    LockScreenActions& lockScreenActions() { return lockScreenActions_; }
    LoginPanel& loginPanel() { return loginPanel_; }
    SessionClock& sessionClock() { return clock_; }
    MsgBox& msgBox() { return msgBox_; }
    AmountDue& amountDue() { return amountDue_; }
    AppControl& appControl() { return appControl_; }
    SessionCleanup& sessionCleanup() { return cleanup_; }
    AddressMonitor& addressMonitor() { return addressMonitor_; }
    ServerReports& reports() { return *reports_; }
    ServerLink& serverLink() { return link_; }
    ServerDispatcher& dispatcher() { return dispatcher_; }
    SessionSnapshot& snapshot() { return snapshot_; }
    Login& login() { return login_; }
    InboundStream& inbound() { return inbound_; }
    WorkstationCommands& workstationCommands() { return workstationCommands_; }
    StatusWindows& statusWindows() { return statusWindows_; }
    MainWindow& mainWindow() { return mainWindow_; }
    NotifyIcon& notifyIcon() { return notifyIcon_; }
    AboutBox& about() { return about_; }
    // The notification area of the desktop the front end runs on; none without a tray.
    void attachTrayIcon(TrayIcon* icon) { notifyIcon_.attach(icon); }
    SetupWizard& setupWizard() { return setupWizard_; }
    PasswordDialogs& passwordDialogs() { return passwordDialogs_; }
    OptionsDialog& optionsDialog() { return optionsDialog_; }

private:
    void createMainTimers();
    InboundStream::Hooks inboundHooks();
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
    MessageSender sender_;
    LockScreen lockScreen_;
    AppControl appControl_;
    SessionCleanup cleanup_;
    AddressMonitor addressMonitor_;
    std::unique_ptr<ServerReports> reports_;
    SessionControl sessionControl_;
    MsgBox msgBox_;
    AmountDue amountDue_;
    SessionClock clock_;
    StatusWindows statusWindows_;
    AboutBox about_;
    MainWindow mainWindow_;
    NotifyIcon notifyIcon_;
    Startup startup_;
    SessionSnapshot snapshot_;
    Login login_;
    LockScreenTimers lockScreenTimers_;
    LockScreenActions lockScreenActions_;
    LoginPanel loginPanel_;
    InboundStream inbound_;
    ServerDispatcher dispatcher_;
    ServerLink link_;
    ServerCommands serverCommands_;
    WorkstationCommands workstationCommands_;
    ReceivedFiles receivedFiles_;
    SetupWizard setupWizard_;
    PasswordDialogs passwordDialogs_;
    OptionsDialog optionsDialog_;
    // The unwritable log is told once per run.
    bool logFailureShown_ = false;
};

} // namespace orvan
