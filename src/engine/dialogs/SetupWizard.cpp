#include "dialogs/SetupWizard.h"

#include "base/ErrorReporter.h"
#include "base/ServerAddress.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "dialogs/ConnectionSettings.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "model/EngineContext.h"
#include "roles/SessionMoves.h"

namespace orvan {
namespace {

using Control = SetupWizardForm::Control;

constexpr int kServerStep = 1;
constexpr int kNameStep = 2;
constexpr int kYes = 6;

struct StepTexts {
    long title;
    long description;
    long intro;
    Control first;
};

constexpr StepTexts kSteps[] = {
    {0, 0, 0, Control::None},
    {10023, 10024, 10025, Control::optServerAutoConnect},
    {10026, 10027, 10028, Control::txtWksnName},
    {10029, 10030, 10031, Control::chkStartAtLogon},
    {10032, 10033, 10034, Control::chkAllowLockdown},
    {10036, 10037, 10038, Control::chkActivateNow},
};

} // namespace

SetupWizard::SetupWizard(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

SetupWizardForm& SetupWizard::form() {
    return context_.forms.frmSetupWizard;
}

bool SetupWizard::machinePartDone() const {
    return context_.settings.intConfigWizardMachine >= 1;
}

void SetupWizard::Form_Load() {
    auto& wizard = form();
    wizard = SetupWizardForm{};
    wizard.show();
    wizard.modal = true;
    subLocalizeInterface();
    subInitSteps();
    // The wizard stays in front of the main window.
    context_.forms.frmMain.topMost = false;
    wizard.intStep = SetupWizardForm::kWelcome;
    subUpdateSteps();
}

void SetupWizard::subLocalizeInterface() {
    auto& w = form();
    const auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    w.caption = context_.strAppTitle + " - " + text(10015);
    w.lblWelcomeTitle = text(10016);
    w.lblWelcomeText = text(10017);
    w.lblWelcomeHelp = text(10018);
    w.lblContact = text(10331);
    for (int step = 1; step <= SetupWizardForm::kLastStep; ++step) {
        w.lblStepIntro[static_cast<std::size_t>(step)] = text(kSteps[step].intro);
    }
    w.optServerAutoConnectText = {text(10308), text(10311)};
    w.optServerManualConnectText = {text(10309), text(10312)};
    w.lblServerName = text(10234);
    w.lblPortNum = text(10235);
    w.lblServerFormat = text(10365);
    w.lblWksnName = text(10234);
    w.chkStartAtLogonText = {text(10269), text(10270)};
    w.chkStartActiveText = {text(10245), text(10246)};
    w.chkAllowLockdownText = {text(10273), text(10274)};
    w.lblCurrentUser = text(10313) + "\n" + text(10314) + context_.settings.strWinUserName;
    w.lblRightsWarning = text(10315);
    w.chkActivateNowText = text(10316);
    w.cmdBackCaption = text(10019);
    w.cmdNextCaption = text(10020);
    w.cmdCancelCaption = text(10021);
    w.cmdFinishCaption = text(10035);
}

void SetupWizard::subInitSteps() {
    context_.errors.trap("frmSetupWizard.subInitStepsError", OnError::Show, [&] {
        const auto fields = ConnectionSettings(context_, parts_.link).current();
        ConnectionSettings::show(fields, form());
        setServerMode(fields.automatic);
    });
}

void SetupWizard::subUpdateSteps() {
    context_.errors.trap("frmSetupWizard.subUpdateStepsError", OnError::Show, [&] {
        auto& w = form();
        const int step = w.intStep;
        const bool last = step == SetupWizardForm::kLastStep;
        w.fraWelcomeVisible = step == SetupWizardForm::kWelcome;
        w.fraWizardContainerVisible = !w.fraWelcomeVisible;
        w.cmdBackVisible = !w.fraWelcomeVisible;
        w.cmdNextVisible = !last;
        w.cmdFinishVisible = last;
        w.defaultButton =
            last ? SetupWizardForm::Button::cmdFinish : SetupWizardForm::Button::cmdNext;
        if (step == SetupWizardForm::kWelcome) {
            w.focus = Control::None;
            // The machine's part is done: Next goes straight to the user's steps.
            if (machinePartDone()) {
                w.intStep = kNameStep;
            }
            return;
        }
        const auto& texts = kSteps[step];
        w.lblConfigStepTitle = context_.localization.funLoadResString(texts.title);
        w.lblConfigStepDescription = context_.localization.funLoadResString(texts.description);
        w.focus = texts.first;
        ++w.focusRequests;
        if (last) {
            w.chkActivateNow = w.chkStartActive;
        }
    });
}

// Whether the page shown may be left forwards; when not, its field has the focus.
bool SetupWizard::leaveStep() {
    auto& w = form();
    if (w.fraWelcomeVisible) {
        return true;
    }
    if (w.intStep == kServerStep && !w.optServerAutoConnect &&
        !ServerAddress::acceptable(w.txtServerName)) {
        w.lblServerFormat = context_.localization.funLoadResString(10366);
        w.focus = Control::txtServerName;
        ++w.focusRequests;
        return false;
    }
    if (w.intStep == kNameStep) {
        return txtWksnName_LostFocus();
    }
    return true;
}

void SetupWizard::cmdNext_Click() {
    context_.errors.trap("frmSetupWizard.cmdNext_ClickError", OnError::Show, [&] {
        auto& w = form();
        if (!leaveStep() || w.intStep >= SetupWizardForm::kLastStep) {
            return;
        }
        w.intStep += 1;
        subUpdateSteps();
    });
}

void SetupWizard::cmdBack_Click() {
    context_.errors.trap("frmSetupWizard.cmdBack_ClickError", OnError::Show, [&] {
        auto& w = form();
        if (w.fraWelcomeVisible) {
            return;
        }
        w.intStep -= 1;
        if (w.intStep <= kNameStep && machinePartDone()) {
            w.intStep = SetupWizardForm::kWelcome;
        }
        subUpdateSteps();
    });
}

bool SetupWizard::cmdCancel_Click() {
    bool closed = false;
    context_.errors.trap("frmSetupWizard.Form_QueryUnloadError", OnError::LogOnly, [&] {
        // Nothing is saved, so the wizard comes again at the next start.
        if (form().loaded && context_.messages.funMsg(29) == kYes) {
            close();
            closed = true;
        }
    });
    return closed;
}

void SetupWizard::cmdFinish_Click() {
    context_.errors.trap("frmSetupWizard.subFinishError", OnError::Show, [&] {
        if (!form().loaded || !leaveStep()) {
            return;
        }
        subFinish();
    });
}

void SetupWizard::subFinish() {
    auto& w = form();
    ConnectionSettings(context_, parts_.link).save(ConnectionSettings::of(w));

    auto& registry = context_.registry;
    const auto& key = context_.strAppKey;
    registry.SetRegSettings(key, SettingsRepository::kGeneral, "Config Wizard", "1",
                            RegistrySettings::REG_SZ);
    registry.SetRegUserSettings(key, SettingsRepository::kGeneral, "Config Wizard", "1",
                                RegistrySettings::REG_SZ);
    context_.settings.intConfigWizardMachine = 1;
    context_.settings.intConfigWizardUser = 1;

    w.blnFinished = true;
    const bool activateNow = w.chkActivateNow;
    close();
    if (activateNow) {
        parts_.session.subActivate();
    }
}

void SetupWizard::close() {
    form().unload();
    context_.forms.frmMain.topMost = true;
    if (onClosed_) {
        onClosed_();
    }
}

void SetupWizard::setServerMode(bool automatic) {
    auto& w = form();
    w.optServerAutoConnect = automatic;
    w.serverFieldsEnabled = !automatic;
    if (automatic) {
        w.lblServerFormat = context_.localization.funLoadResString(10365);
    }
}

void SetupWizard::optServerAutoConnect_Click() {
    setServerMode(true);
}

void SetupWizard::optServerManualConnect_Click() {
    setServerMode(false);
}

void SetupWizard::txtServerName_Change(const std::string& text) {
    form().txtServerName = text;
    form().lblServerFormat = context_.localization.funLoadResString(10365);
}

int SetupWizard::txtPortNum_Change(const std::string& text) {
    auto& port = form().txtPortNum;
    port = ConnectionSettings::clampedPort(ConnectionSettings::digitsOnly(text));
    return static_cast<int>(port.size());
}

void SetupWizard::txtWksnName_Change(const std::string& text) {
    form().txtWksnName = text;
}

bool SetupWizard::txtWksnName_LostFocus() {
    auto& w = form();
    if (!ConnectionSettings::nameIsRefused(w.txtWksnName)) {
        return true;
    }
    context_.messages.funMsg(30);
    w.focus = Control::txtWksnName;
    ++w.focusRequests;
    return false;
}

void SetupWizard::chkStartAtLogon_Click(bool checked) {
    form().chkStartAtLogon = checked;
}

void SetupWizard::chkStartActive_Click(bool checked) {
    form().chkStartActive = checked;
}

void SetupWizard::chkAllowLockdown_Click(bool checked) {
    form().chkAllowLockdown = checked;
}

void SetupWizard::chkActivateNow_Click(bool checked) {
    form().chkActivateNow = checked;
}

} // namespace orvan
