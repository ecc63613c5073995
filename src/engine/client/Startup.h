#pragma once

#include "platform/Timer.h"
#include "roles/ComputerShutdown.h"
#include "roles/ProgramExit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvan {

struct EngineContext;
class AppControl;
class LockScreen;
class SessionControl;
class SettingsUpgrade;
class SetupWizard;

// Brings the client up and takes it down in order.
class Startup : public ComputerShutdown, public ProgramExit {
public:
    static constexpr std::int64_t kWaitStepMillis = 100;
    static constexpr std::int64_t kSplashMillis = 3'000;
    // The start delay lets the system's own services settle after boot; a few minutes
    // are plenty, and a larger constant from the server would only keep the computer
    // out of use behind a blank lock screen.
    static constexpr double kMaxStartDelaySeconds = 300;

    Startup(EngineContext& context, SessionControl& sessionControl, SettingsUpgrade& upgrade,
            LockScreen& lockScreen, AppControl& appControl);

    // The start-up sequence. It waits out the start delay on a timer, so it returns
    // before the windows are loaded when the computer has only just started.
    void Main(std::string_view commandLine);
    void subInitApp();
    // Closes everything; ends the process when asked. Returns true.
    bool funShutdownApplication(bool endProcess) override;
    // Shuts the computer down with `flags` (always forced), after asking when
    // `prompt` is not empty.
    void subShutdown(int flags, const std::string& prompt) override;
    // Runs `then` after `seconds`, while every other event goes on being handled.
    void funWait(double seconds, std::function<void()> then);

    // Runs the load events of the windows built above start-up, when the windows load.
    void setFormLoad(std::function<void()> formLoad) { formLoad_ = std::move(formLoad); }

    // The setup wizard shown at start-up has closed.
    void onSetupWizardClosed();
    // The wizard is built after start-up; it is handed in here.
    void setSetupWizard(SetupWizard& wizard) { wizard_ = &wizard; }

    // The step `Main` is in, named in its error reports.
    const std::string& stepLabel() const { return stepLabel_; }
    bool waiting() const { return !waits_.empty(); }

private:
    void enterStep(std::string label);
    void afterStartDelay();
    void loadWindows();
    void adoptNewAccount();
    void enterFirstState();
    void showSplash();
    void reportMainError(const std::exception& error);
    bool startsActive() const;

    EngineContext& context_;
    SessionControl& sessionControl_;
    SettingsUpgrade& upgrade_;
    LockScreen& lockScreen_;
    AppControl& appControl_;
    std::string stepLabel_;
    std::function<void()> formLoad_;
    struct Wait {
        std::int64_t untilBootMillis;
        std::function<void()> then;
    };
    void onWaitStep();

    std::unique_ptr<Timer> waitTimer_;
    std::vector<Wait> waits_;
    std::unique_ptr<Timer> splashTimer_;
    bool wizardPending_ = false;
    SetupWizard* wizard_ = nullptr;
};

} // namespace orvan
