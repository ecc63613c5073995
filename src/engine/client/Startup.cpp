#include "client/Startup.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "config/ConstantsRepository.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "config/SettingsUpgrade.h"
#include "dialogs/SetupWizard.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "lockdown/AppControl.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/Timers.h"
#include "session/SessionControl.h"

#include <algorithm>
#include <cmath>

namespace orvan {

Startup::Startup(EngineContext& context, SessionControl& sessionControl, SettingsUpgrade& upgrade,
                 LockScreen& lockScreen, AppControl& appControl)
    : context_(context)
    , sessionControl_(sessionControl)
    , upgrade_(upgrade)
    , lockScreen_(lockScreen)
    , appControl_(appControl) {}

void Startup::reportMainError(const std::exception& error) {
    context_.errors.report(AppError::fromException(error),
                           "modFunctions.MainError(" + stepLabel_ + ")", OnError::Show);
    // Never leave the computer locked because start-up failed.
    try {
        sessionControl_.subDeactivate();
    } catch (const AppError&) {
        // Already logged by subDeactivate's own trap.
    }
}

void Startup::enterStep(std::string label) {
    stepLabel_ = std::move(label);
    context_.log.subTrace(stepLabel_);
}

void Startup::Main(std::string_view commandLine) {
    context_.log.subTrace("App startup");
    try {
        enterStep("CommandLine processing");
        context_.flags = CommandLine::parse(commandLine);
        context_.log.setTraceToLog(context_.flags.blnDebugMode);
        enterStep("InitApp");
        subInitApp();
        const auto sinceBoot = context_.platform.clock.millisSinceBoot();
        const double startDelay =
            std::min(static_cast<double>(context_.constants.wksnStartDelay), kMaxStartDelaySeconds);
        const double delay = startDelay - static_cast<double>(sinceBoot) / 1000.0;
        if (delay > 0) {
            // A workstation that will start locked is locked while it waits.
            if (startsActive()) {
                lockScreen_.showBlank();
            }
            funWait(delay, [this] { afterStartDelay(); });
        } else {
            afterStartDelay();
        }
    } catch (const std::exception& error) {
        reportMainError(error);
    }
}

void Startup::afterStartDelay() {
    try {
        enterStep("Load forms");
        loadWindows();
        enterStep("Check platform");
        if (context_.platform.system.platformId() != SystemInfo::kPlatformNt) {
            context_.messages.funMsg(25);
            funShutdownApplication(true);
            return;
        }
        // The second copy ends here; nothing of it may touch the first one's state.
        if (!context_.flags.blnMultiInstance && !appControl_.subCheckForRunningWksn()) {
            return;
        }
        const auto sinceBoot = context_.platform.clock.millisSinceBoot();
        enterStep(std::to_string(sinceBoot) + "wksn-Server delay setup: ");
        const auto bootDelay = context_.constants.wksnCnxBootDelay - sinceBoot;
        auto& timers = context_.timers;
        timers.tmrActivateClient->setInterval(bootDelay >= 0 ? bootDelay
                                                             : context_.constants.wksnCnxMinDelay);
        timers.tmrWksnStatus->setEnabled(true);
        adoptNewAccount();
        enterFirstState();
        enterStep("frmMain/frmAbout GUI init");
        context_.forms.frmMain.height = context_.forms.fraControlsHeight;
        if (!context_.flags.blnDebugMode) {
            showSplash();
        }
        enterStep("ConfigWizard");
        if (context_.settings.intConfigWizardMachine < 1 ||
            context_.settings.intConfigWizardUser < 1) {
            // The wizard is modal: the connection timer starts once it has closed.
            wizardPending_ = true;
            if (wizard_ != nullptr) {
                wizard_->Form_Load();
            } else {
                context_.forms.frmSetupWizard.show();
                context_.forms.frmSetupWizard.modal = true;
            }
            return;
        }
        timers.tmrActivateClient->setEnabled(true);
    } catch (const std::exception& error) {
        reportMainError(error);
    }
}

void Startup::onSetupWizardClosed() {
    if (wizardPending_) {
        wizardPending_ = false;
        context_.timers.tmrActivateClient->setEnabled(true);
    }
}

bool Startup::startsActive() const {
    const auto& settings = context_.settings;
    return settings.blnStartActive && settings.intConfigWizardMachine >= 1 &&
           settings.intConfigWizardUser >= 1;
}

void Startup::loadWindows() {
    auto& forms = context_.forms;
    forms.frmMain.load();
    forms.frmStatus.load();
    forms.frmSmallStatus.load();
    forms.frmMicroStatus.load();
    if (formLoad_) {
        formLoad_();
    }
}

// An account that never ran the wizard on a computer that was set up with a password
// (a new customer account, say) would start deactivated, and its wizard could be
// cancelled: a free computer. It takes the user settings' defaults instead and starts
// as the computer was set up to.
void Startup::adoptNewAccount() {
    auto& settings = context_.settings;
    if (settings.intConfigWizardMachine < 1 || settings.intConfigWizardUser >= 1 ||
        settings.strPassword.empty()) {
        return;
    }
    context_.registry.SetRegUserSettings(context_.strAppKey, SettingsRepository::kGeneral,
                                         "Config Wizard", "1", RegistrySettings::REG_SZ);
    settings.intConfigWizardUser = 1;
    context_.log.subWriteLog("A new account on a set-up computer: its settings take the "
                             "defaults, without the wizard");
}

void Startup::enterFirstState() {
    if (startsActive()) {
        sessionControl_.subDefaultState();
        return;
    }
    // Deactivating at start-up must not close the customer's programs.
    const bool keepApps = context_.flags.blnKeepApps;
    context_.flags.blnKeepApps = true;
    try {
        sessionControl_.subDeactivate();
    } catch (...) {
        context_.flags.blnKeepApps = keepApps;
        throw;
    }
    context_.flags.blnKeepApps = keepApps;
}

void Startup::showSplash() {
    auto& about = context_.forms.frmAbout;
    const auto& screen = context_.platform.screen;
    about.show();
    about.topMost = true;
    if (startsActive()) {
        about.left = (screen.widthTwips() - about.width) / 2;
        about.top = (screen.heightTwips() - about.height) / 2;
    } else {
        const auto& main = context_.forms.frmMain;
        about.left = context_.settings.lngMainWindowLeft + (main.width - about.width) / 2;
        about.top = context_.settings.lngMainWindowTop + (main.height - about.height) / 2;
    }
    splashTimer_ = context_.platform.timers.createTimer([this] {
        context_.forms.frmAbout.unload();
        splashTimer_->setEnabled(false);
    });
    splashTimer_->setInterval(kSplashMillis);
    splashTimer_->setEnabled(true);
}

void Startup::subInitApp() {
    context_.errors.trap("modFunctions.subInitAppError", OnError::PassOn, [&] {
        auto& ctx = context_;
        ctx.strAppTitle = ctx.localization.funLoadResString(10000);
        ctx.settings.strDataPath = ctx.platform.system.commonAppDataFolder() + "/" + ctx.strAppKey;
        // An existing folder is no error, and a missing one shows up when files are written.
        ctx.platform.files.createFolder(ctx.settings.strDataPath);
        upgrade_.funInitSettings(SettingsUpgrade::kCurrentVersion);
        ctx.constantsRepository.subGetConstWksn(ctx.constants);
        ctx.settingsRepository.subGetSystemSettings(ctx.settings);
        ctx.settingsRepository.subGetUserSettings(ctx.settings);
        ctx.constants.deriveFlags();
        sessionControl_.subSetCloseButtons();
        ctx.log.setLogFile(ctx.settings.strLogFile);
        ctx.workstation.subUserInit(ctx.settings.intDefaultState, ctx.now());
        ctx.user = std::make_unique<clsUser>();
    });
}

bool Startup::funShutdownApplication(bool endProcess) {
    return context_.errors.trap("modFunctions.funShutdownApplicationError", OnError::PassOn, [&] {
        auto& forms = context_.forms;
        context_.blnShuttingDown = true;
        for (FormModel* form : {static_cast<FormModel*>(&forms.frmMsgBox),
                                static_cast<FormModel*>(&forms.frmSmallStatus),
                                static_cast<FormModel*>(&forms.frmMicroStatus),
                                static_cast<FormModel*>(&forms.frmStatus),
                                static_cast<FormModel*>(&forms.frmBlock)}) {
            if (form->loaded) {
                form->unload();
            }
        }
        if (forms.frmMain.loaded) {
            context_.timers.disableAll();
            forms.frmMain.unload();
        }
        context_.trayIconShown = false;
        context_.registry.flush(Hive::Machine);
        context_.settingsRepository.subSetUserSettings(context_.settings);
        context_.log.subTrace("App shutdown");
        if (endProcess) {
            context_.platform.shell.endProcess();
        }
        return true;
    });
}

void Startup::subShutdown(int flags, const std::string& prompt) {
    context_.errors.trap("modFunctions.subShutdownError", OnError::PassOn, [&] {
        if (!prompt.empty() && context_.messages.funMsg(7, prompt) != 6) {
            return;
        }
        funShutdownApplication(false);
        funWait(context_.constants.wksnShutdownDelay, [this, flags] {
            context_.errors.trap("modFunctions.subShutdownError", OnError::LogOnly, [&] {
                auto& shell = context_.platform.shell;
                shell.enableShutdownPrivilege();
                if (!shell.exitSystem(flags | Shell::kForce)) {
                    throw AppError(AppError::kInvalidCall, "The computer refused to shut down");
                }
                shell.endProcess();
            });
        });
    });
}

void Startup::funWait(double seconds, std::function<void()> then) {
    // Counted on the boot clock: setting the wall clock must not stretch the wait.
    const auto until = context_.platform.clock.millisSinceBoot() + std::llround(seconds * 1000.0);
    waits_.push_back({until, std::move(then)});
    if (!waitTimer_) {
        waitTimer_ = context_.platform.timers.createTimer([this] { onWaitStep(); });
        waitTimer_->setInterval(kWaitStepMillis);
    }
    waitTimer_->setEnabled(true);
}

void Startup::onWaitStep() {
    const auto now = context_.platform.clock.millisSinceBoot();
    for (std::size_t i = 0; i < waits_.size();) {
        if (now < waits_[i].untilBootMillis) {
            ++i;
            continue;
        }
        auto then = std::move(waits_[i].then);
        waits_.erase(waits_.begin() + static_cast<std::ptrdiff_t>(i));
        then(); // may add waits of its own
    }
    if (waits_.empty()) {
        waitTimer_->setEnabled(false);
    }
}
} // namespace orvan
