#include "link/WorkstationCommands.h"

#include "base/AppError.h"
#include "base/AppVersion.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "config/ConstantsRepository.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "link/ServerDispatcher.h"
#include "link/ServerLink.h"
#include "link/SessionSnapshot.h"
#include "localization/Localization.h"
#include "lockdown/AppControl.h"
#include "lockdown/SessionCleanup.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/Timer.h"
#include "roles/ComputerShutdown.h"
#include "session/SessionControl.h"
#include "wire/Scrambler.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"
#include "wire/WireNumbers.h"

#include <cstdlib>

namespace orvan {

WorkstationCommands::WorkstationCommands(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

int WorkstationCommands::integer(const std::string& text) const {
    return static_cast<int>(context_.numbers.toInteger(text, 16));
}

std::string WorkstationCommands::versionText(long number) {
    auto digits = std::to_string(std::labs(number));
    if (digits.size() < 9) {
        digits.insert(0, 9 - digits.size(), '0');
    }
    if (number < 0) {
        digits.insert(0, 1, '-');
    }
    std::string text;
    for (std::size_t at = 0; at < 9; at += 3) {
        if (!text.empty()) {
            text += '.';
        }
        text += std::to_string(std::stol(digits.substr(at, 3)));
    }
    return text;
}

void WorkstationCommands::saveText(const char* name, const std::string& value) {
    context_.registry.SetRegSettings(context_.strAppKey, SettingsRepository::kGeneral, name, value,
                                     RegistrySettings::REG_SZ);
}

void WorkstationCommands::saveNumber(const char* name, long value) {
    context_.registry.SetRegSettings(context_.strAppKey, SettingsRepository::kGeneral, name,
                                     std::to_string(value), RegistrySettings::REG_DWORD);
}

void WorkstationCommands::defaultState(const std::string& payload) {
    const int state = integer(payload);
    if (!Settings::isIdleDefaultState(state)) {
        // Not stored: the value kept in the settings is still a valid one.
        context_.log.subWriteLog("modFunctions.subProcessServerData: \"Default State\" " +
                                 std::to_string(state) + " is not an idle state; " +
                                 std::to_string(Settings::kFallbackDefaultState) + " is used");
        context_.settings.intDefaultState = Settings::kFallbackDefaultState;
        return;
    }
    context_.settings.intDefaultState = state;
    saveText("Default State", std::to_string(state));
}

void WorkstationCommands::registerWith(ServerDispatcher& d) {
    dispatcher_ = &d;
    auto& control = parts_.sessionControl;
    auto& cleanup = parts_.cleanup;
    auto& settings = context_.settings;
    using Payload = const std::string&;

    d.add(tags::kAppVersion, [this](Payload p) { appVersion(p); });
    d.add(tags::kDisableWksn, [this](Payload p) { disableWksn(p); });
    d.add(tags::kActivateWksn, [this](Payload) { activateWksn(); });
    d.add(tags::kLockWksn, [this](Payload) { lockWksn(); });
    d.add(tags::kShutdownWksn, [this](Payload p) { parts_.shutdown.subShutdown(integer(p), {}); });
    d.add(tags::kMessageSend, [this](Payload p) {
        auto& box = parts_.msgBox;
        box.subShowMsgBox(p, MsgBox::kButtonsOK, MsgBox::kDefaultYes, box.actionEmpty(), nullptr,
                          MsgBox::kModeless, 0);
    });
    d.add(tags::kServerHeartBeat,
          [this](Payload) { context_.workstation.dteLastHeartBeat = context_.now(); });
    d.add(tags::kForceConnected, [this](Payload p) { forceConnected(p); });
    d.add(tags::kActivateSelfServ,
          [this](Payload p) { loginKind(p, Workstation::kSelfServicePostpaid); });
    d.add(tags::kActivateCards, [this](Payload p) { loginKind(p, Workstation::kCard); });
    d.add(tags::kActivateClients, [this](Payload p) { loginKind(p, Workstation::kMember); });
    d.add(tags::kWksnMsgOptions, [this](Payload p) { messageOptions(p); });
    d.add(tags::kPasswordAdmin, [this, &settings](Payload p) {
        settings.strPassword = p;
        saveText("Password", context_.scrambler.funDoXOR(p, context_.strAppKey));
    });
    d.add(tags::kPasswordMangr, [this](Payload p) { managerPassword(p); });
    d.add(tags::kKilledApps, [this](Payload p) { killedApps(p); });
    d.add(tags::kSEssionCleanup, [this](Payload p) { sessionCleanup(p); });
    d.add(tags::kSessBatchStart,
          [this, &cleanup](Payload p) { cleanup.blnRunStartBatch = integer(p) == 1; });
    d.add(tags::kSessBatchEnd,
          [this, &cleanup](Payload p) { cleanup.blnRunEndBatch = integer(p) == 1; });
    d.add(tags::kSessBatchStyle,
          [this, &cleanup](Payload p) { cleanup.batchWindowStyle = integer(p); });
    d.add(tags::kHideCardNum, [this](Payload p) { hideCardNumber(p); });
    d.add(tags::kEnablePause, [this](Payload p) { blnPauseEnabled = integer(p) == 1; });
    d.add(tags::kWksnDefaultState, [this](Payload p) { defaultState(p); });
    d.add(tags::kUsageDefault, [this, &settings, &control](Payload p) {
        settings.intDefaultUsage = integer(p);
        saveText("Default Usage", std::to_string(settings.intDefaultUsage));
        control.subSetDefaultUsage();
    });
    d.add(tags::kWksnDefaultMode, [this](Payload p) { defaultMode(p); });
    d.add(tags::kDefaultLanguage, [this](Payload p) { defaultLanguage(p); });
    d.add(tags::kMsgLogoFilesType, [this](Payload p) { msgLogoFilesType(p); });
    d.add(tags::kVantikConstants, [this, &control](Payload p) {
        context_.constantsRepository.applyServerFields(context_.constants,
                                                       ServerDispatcher::fields(p));
        control.subSetCloseButtons();
    });
}

void WorkstationCommands::appVersion(const std::string& payload) {
    const long server = context_.numbers.toInteger(payload, 32);
    if (server >= kMinimumServerVersion) {
        return;
    }
    context_.log.subWriteLog(
        "modFunctions.subProcessServerDataError: Context: " + std::string{tags::kAppVersion} +
        " Payload: " + std::string{Utf8::left(payload, 30)});
    auto& texts = context_.localization;
    parts_.link.subDisableWksn(
        texts.funLoadResString(10263) + " " +
        texts.funLoadResString(10361, versionText(server), versionText(kMinimumServerVersion)));
    // Nothing a too old server says afterwards may be acted on.
    dispatcher_->stopDispatch();
}

void WorkstationCommands::disableWksn(const std::string& payload) {
    const auto fields = ServerDispatcher::fields(payload);
    auto& texts = context_.localization;
    switch (integer(fields.at(0))) {
    case 0: {
        const auto required = versionText(context_.numbers.toInteger(fields.at(1), 32));
        parts_.link.subDisableWksn(
            texts.funLoadResString(10264) + " " +
            texts.funLoadResString(10361, AppVersion::current().text(), required));
        break;
    }
    case 1:
        parts_.link.subDisableWksn(texts.funLoadResString(10265));
        break;
    default:
        break; // codes of later servers
    }
}

void WorkstationCommands::runEndBatchAfterSession() {
    if (context_.workstation.intWksnState == Workstation::kSessionEnded &&
        parts_.cleanup.blnRunEndBatch) {
        parts_.cleanup.subRunSessionEndBatch();
    }
}

void WorkstationCommands::activateWksn() {
    runEndBatchAfterSession();
    if (context_.workstation.intWksnState == Workstation::kSessionEnded &&
        context_.constants.wksnRebootOnSessionEnd == 1 && !context_.flags.blnDebugMode) {
        // Each event is handled to its end, so nothing is pending here. The snapshot
        // goes first: the next customer must not inherit the settled session.
        parts_.snapshot.subEmptySerializedUser();
        parts_.shutdown.subShutdown(Shell::kReboot, {});
    }
    parts_.sessionControl.subActivate();
}

void WorkstationCommands::lockWksn() {
    runEndBatchAfterSession();
    parts_.sessionControl.subLock();
}

void WorkstationCommands::forceConnected(const std::string& payload) {
    auto& block = context_.forms.frmBlock;
    auto& status = context_.forms.frmStatus;
    if (payload != "1") {
        block.optDisconnected.enabled = true;
        status.optDisconnectedEnabled = true;
        return;
    }
    block.optConnected.value = true;
    block.optDisconnected.value = false;
    block.optDisconnected.enabled = false;
    status.optConnected = true;
    status.optDisconnected = false;
    status.optDisconnectedEnabled = false;

    auto& w = context_.workstation;
    if (w.intWksnState != Workstation::kDisconnected) {
        return;
    }
    auto& texts = context_.localization;
    parts_.msgBox.subShowMsgBox(
        texts.funLoadResString(10196) + "\r\n" + texts.funLoadResString(10197), MsgBox::kButtonsOK,
        MsgBox::kDefaultYes, nullptr, nullptr, MsgBox::kModeless, 0);
    w.setStates(Workstation::kConnected, Workstation::kDisconnected);
    // The prohibitions hold only for disconnected usage.
    context_.timers.tmrAppKiller->setEnabled(false);
}

void WorkstationCommands::loginKind(const std::string& payload, int sessionType) {
    const auto value = context_.numbers.parse(payload);
    if (!value) {
        throw AppError(AppError::kTypeMismatch, "Type mismatch");
    }
    auto& block = context_.forms.frmBlock;
    auto& option = sessionType == Workstation::kSelfServicePostpaid ? block.optSelfService
                   : sessionType == Workstation::kCard              ? block.optCard
                                                                    : block.OptClient;
    option.enabled = *value == 1;
    if (*value == 0) {
        const auto& w = context_.workstation;
        if (w.sessionExists() && w.session.intSessionType == sessionType) {
            parts_.sessionControl.funStopSession(false);
            parts_.lockScreen.refresh();
        } else if (sessionType == Workstation::kCard) {
            block.fraCardNumberVisible = false;
        } else if (sessionType == Workstation::kMember) {
            block.fraClientVisible = false;
        }
    }
    parts_.sessionControl.subSetDefaultUsage();
}

void WorkstationCommands::messageOptions(const std::string& payload) {
    const auto fields = ServerDispatcher::fields(payload);
    auto& options = context_.workstation.messageOptions;
    options.intWarnRemaining = integer(fields.at(0));
    options.intWarnMinutes1 = integer(fields.at(1));
    options.intWarnMinutes2 = integer(fields.at(2));
    options.sngOwedStep = context_.numbers.funStrToSng(fields.at(4));
    // Without a step there is no amount to announce.
    options.intWarnOwed = options.sngOwedStep != 0.0F ? integer(fields.at(3)) : 0;
}

void WorkstationCommands::managerPassword(const std::string& payload) {
    const auto fields = ServerDispatcher::fields(payload);
    if (!context_.user) {
        context_.user = std::make_unique<clsUser>();
    }
    context_.user->login = fields.at(0);
    // An empty password travels as a trailing separator, which leaves one field.
    context_.user->Passwd = fields.size() > 1 ? fields[1] : std::string{};
}

void WorkstationCommands::killedApps(const std::string& payload) {
    const auto fields = ServerDispatcher::fields(payload);
    auto& p = parts_.appControl.prohibitions;
    p.closeInternetExplorer = integer(fields.at(0));
    p.closeMozilla = integer(fields.at(1));
    p.closeNetscape = integer(fields.at(2));
    p.closeOutlookExpress = integer(fields.at(3));
    // An emptied list arrives as a trailing separator, i.e. as a missing fifth field;
    // empty names are dropped so that none can match every program.
    p.furtherNames.clear();
    if (fields.size() > 4) {
        for (auto& name : WireFormat::funSplit(fields[4], "*")) {
            if (!name.empty()) {
                p.furtherNames.push_back(std::move(name));
            }
        }
    }
}

void WorkstationCommands::sessionCleanup(const std::string& payload) {
    const auto fields = ServerDispatcher::fields(payload);
    auto& o = parts_.cleanup.options;
    o.arrangeDesktopIcons = integer(fields.at(0));
    o.clearRecentDocuments = integer(fields.at(1));
    o.resetWallpaper = integer(fields.at(2));
    o.resetStartPage = integer(fields.at(3));
    o.resetBrowser = integer(fields.at(4));
    o.startPage = fields.at(5);
    o.clearMessengerTraces = integer(fields.at(6));
}

void WorkstationCommands::hideCardNumber(const std::string& payload) {
    // The lock screen masks the card number and the status window sizes its card
    // frame from the setting each time they are drawn.
    const int value = integer(payload);
    context_.settings.blnHideCardNumber = value == 1;
    saveNumber("Hide Card Number", value);
}

void WorkstationCommands::defaultMode(const std::string& payload) {
    auto& settings = context_.settings;
    settings.intDefaultMode = integer(payload);
    saveText("Default Mode", std::to_string(settings.intDefaultMode));
    auto& block = context_.forms.frmBlock;
    block.optConnected.value = settings.intDefaultMode == 1;
    block.optDisconnected.value = !block.optConnected.value;
}

void WorkstationCommands::defaultLanguage(const std::string& payload) {
    const auto fields = ServerDispatcher::fields(payload);
    const auto language = context_.platform.system.programFileName() + fields.at(0);
    const long charset = context_.numbers.toInteger(fields.at(1), 16);
    auto& localization = context_.localization;
    localization.setLanguages(language, charset);
    // Setting both languages does not relocalize; changing the current one does.
    localization.changeCurrentLanguage(language, charset);
    saveText("Interface Language", language);
    saveNumber("Interface Language Charset", charset);
}

void WorkstationCommands::msgLogoFilesType(const std::string& payload) {
    const int value = integer(payload);
    saveNumber("Message & Logo Files Type", value);
    context_.settings.intMsgLogoFilesType = value;
    const auto& block = context_.forms.frmBlock;
    if (block.visible && block.shownOnce) {
        parts_.lockScreen.reloadDocuments();
    }
}

} // namespace orvan
