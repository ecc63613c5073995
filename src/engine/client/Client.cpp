#include "client/Client.h"

#include "localization/StringTable.h"
#include "model/MsgBoxForm.h"
#include "platform/AnsiCodec.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SystemInfo.h"
#include "platform/Timers.h"

namespace orvan {
namespace {

// The settings key comes from the built-in table: it names where settings live and
// must not follow a language pack.
std::string appKey() {
    return std::string{StringTable::text(10006)};
}

} // namespace

Client::Client(Platform platform, AppVersion version, const ReportsFactory& makeReports)
    : platform_(platform)
    , log_(platform.clock, platform.files, platform.system, version)
    , errors_(log_)
    , localization_(platform.files, platform.system, errors_)
    , messages_(platform.dialogs, localization_, errors_, log_, platform.shell)
    , numbers_(platform.system.decimalSeparator())
    , scrambler_(platform.codec)
    , registry_(platform.store, errors_)
    , settingsRepository_({registry_, errors_, platform.system, platform.screen, platform.shell,
                           scrambler_, localization_},
                          appKey())
    , constantsRepository_(registry_, errors_, numbers_, appKey())
    , context_(platform, log_, errors_, localization_, messages_, numbers_, scrambler_, registry_,
               settingsRepository_, constantsRepository_)
    , upgrade_(registry_, errors_, scrambler_, appKey(), context_.settings.strDataPath)
    , sender_(log_, platform.codec)
    , lockScreen_(context_)
    , appControl_(context_)
    , cleanup_(context_)
    , addressMonitor_(context_, sender_)
    , reports_(makeReports ? makeReports(context_, {sender_, lockScreen_})
                           : std::make_unique<ServerReports>(
                                 context_, ServerReports::Parts{sender_, lockScreen_}))
    , sessionControl_(context_, {lockScreen_, appControl_, cleanup_, addressMonitor_})
    , msgBox_(context_, {sessionControl_, lockScreen_, appControl_})
    , amountDue_(context_)
    , clock_(context_, {amountDue_, msgBox_, sessionControl_, lockScreen_, *reports_})
    , statusWindows_(context_, {sessionControl_, msgBox_, sender_})
    , about_(context_, version)
    , mainWindow_(context_, {sessionControl_, msgBox_, about_})
    , notifyIcon_(context_, mainWindow_)
    , startup_(context_, sessionControl_, upgrade_, lockScreen_, appControl_)
    , snapshot_(context_, {sender_, sessionControl_, lockScreen_})
    , login_(context_, {sessionControl_, lockScreen_, msgBox_, *reports_, sender_})
    , lockScreenTimers_(context_, {sessionControl_, appControl_, lockScreen_})
    , lockScreenActions_(context_, {sessionControl_, msgBox_, lockScreen_})
    , loginPanel_(context_, {login_, msgBox_, lockScreen_})
    , inbound_(platform.files, inboundHooks())
    , dispatcher_(context_, [this](const std::string& reason) { link_.subDisableWksn(reason); })
    , link_(context_, {sessionControl_, lockScreen_, *reports_, clock_, inbound_, msgBox_})
    , serverCommands_(context_, {sessionControl_, lockScreen_, clock_, amountDue_, msgBox_, login_,
                                 snapshot_, statusWindows_})
    , workstationCommands_(context_, {sessionControl_, lockScreen_, msgBox_, appControl_, cleanup_,
                                      snapshot_, link_, startup_})
    , receivedFiles_(context_, {lockScreen_, sender_})
    , setupWizard_(context_, {sessionControl_, link_})
    , passwordDialogs_(context_, {sessionControl_, lockScreen_, sender_, startup_, startup_})
    , optionsDialog_(context_, {link_, startup_, lockScreen_}) {
    lockScreen_.connect({sessionControl_, lockScreenTimers_});
    reports_->setSnapshot(snapshot_);
    reports_->setConnectionLostHandler([this] { link_.wskCli_Close(); });
    link_.attachSockets();
    serverCommands_.registerWith(dispatcher_);
    workstationCommands_.registerWith(dispatcher_);
    receivedFiles_.registerWith(dispatcher_);
    sessionControl_.setClock(clock_);
    sessionControl_.setMsgBox(msgBox_);
    sessionControl_.setTray(notifyIcon_);
    appControl_.setNotices(msgBox_);
    mainWindow_.setQuit([this] { startup_.funShutdownApplication(true); });
    startup_.setFormLoad([this] {
        mainWindow_.Form_Load();
        statusWindows_.subLocalizeInterface();
    });
    startup_.setSetupWizard(setupWizard_);
    setupWizard_.setOnClosed([this] { startup_.onSetupWizardClosed(); });
    sessionControl_.setPasswordPrompts(passwordDialogs_);
    passwordDialogs_.setOptions(optionsDialog_);
    sessionControl_.setShutdown(
        [this](int flags, const std::string& prompt) { startup_.subShutdown(flags, prompt); });
    platform.clock.setTimeChangedHandler([this] { clock_.sysInfo_TimeChanged(); });
    localization_.setLocalizeAll([this] {
        if (context_.forms.frmBlock.loaded) {
            lockScreen_.texts().subLocalizeInterface();
        }
        if (context_.forms.frmMsgBox.loaded) {
            msgBox_.subLocalizeInterface();
        }
        statusWindows_.subLocalizeInterface();
        mainWindow_.subLocalizeInterface();
        about_.subLocalizeInterface();
        if (context_.forms.frmSetupWizard.loaded) {
            setupWizard_.subLocalizeInterface();
        }
        passwordDialogs_.subLocalizeInterface();
        if (context_.forms.frmOptions.loaded) {
            optionsDialog_.subLocalizeInterface();
        }
    });
    context_.strAppKey = appKey();
    errors_.setErrorDisplay(
        [this](const std::string& location) { messages_.funMsg(24, location); });
    errors_.setLockScreenQuery([this] { return context_.forms.frmBlock.loaded; });
    log_.setWriteFailureHandler([this](const std::string& path) { showLogFailure(path); });
    createMainTimers();
}

InboundStream::Hooks Client::inboundHooks() {
    // The stream's lines are ANSI text from the wire, its debug trace as much as its notices.
    const auto toLog = [this](const std::string& line) {
        log_.subWriteLog(platform_.codec.fromAnsi(line));
    };
    return {
        [this](std::string_view message) { dispatcher_.subProcessServerBytes(message); },
        [this] { return context_.link.blnDisabled; },
        toLog,
        toLog,
    };
}

void Client::showLogFailure(const std::string& path) {
    // Every line would open its own box, and most of them come from timers.
    if (logFailureShown_) {
        return;
    }
    logFailureShown_ = true;
    platform_.dialogs.messageBox(localization_.funLoadResString(10004) + "\r\n" + path,
                                 localization_.funLoadResString(10000), 16);
}

void Client::createMainTimers() {
    auto& timers = context_.timers;
    auto& make = platform_.timers;
    timers.tmrActivateClient = make.createTimer([this] { clock_.tmrActivateClient_Timer(); });
    timers.tmrWksnStatus = make.createTimer([this] { clock_.tmrWksnStatus_Timer(); });
    timers.tmrWksnStatus->setInterval(500);
    // The clock plans each next tick itself; the tick that starts a session plans the first.
    timers.tmrSessionStatus = make.createTimer([this] { clock_.tmrSessionStatus_Timer(); });
    timers.tmrSessionStatus->setInterval(100);
    timers.tmrSrvCnxStatus = make.createTimer([this] { link_.tmrSrvCnxStatus_Timer(); });
    timers.tmrSrvCnxStatus->setInterval(500);
    timers.tmrAppKiller = make.createTimer([this] {
        context_.errors.trap("frmMain.tmrAppKiller_TimerError", OnError::ShowUnlessLocked, [this] {
            try {
                appControl_.subKillApps();
            } catch (...) {
                context_.timers.tmrAppKiller->setEnabled(false);
                throw;
            }
        });
    });
    timers.tmrAppKiller->setInterval(10'000);
    timers.tmrURLspy = make.createTimer([this] { addressMonitor_.tmrURLspy_Timer(); });
    timers.tmrURLspy->setInterval(500);
    timers.tmrActiveTrayIcon = make.createTimer([this] { notifyIcon_.tmrActiveTrayIcon_Timer(); });
    timers.tmrActiveTrayIcon->setInterval(1'000);
    timers.tmrHideStatus = make.createTimer([this] { statusWindows_.tmrHideStatus_Timer(); });
    timers.tmrHideStatus->setInterval(StatusWindows::kHideStatusMillis);
}

} // namespace orvan
