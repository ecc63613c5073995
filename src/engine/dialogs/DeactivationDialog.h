#pragma once

#include "platform/Timer.h"

#include <memory>
#include <string>

namespace orvan {

struct EngineContext;
struct FormModel;
struct PasswdForm;
class LockScreen;
class MessageSender;
class SessionMoves;

// The deactivation dialog frmPasswd: the administrator's password (or the manager's
// login and password) deactivates the workstation; it closes by itself after twenty
// seconds, and the third wrong entry tells the manager, locks the workstation and starts
// the lock-out.
class DeactivationDialog {
public:
    static constexpr std::int64_t kQuitMillis = 1'000;
    static constexpr int kAttemptsBeforeLockOut = 3;

    struct Parts {
        SessionMoves& session;
        LockScreen& lockScreen;
        const MessageSender& sender;
    };

    DeactivationDialog(EngineContext& context, Parts parts);

    void Form_Load(FormModel* owner);
    void tmrQuit_Timer();
    void cmdDeactivate_Click();
    void cmdCancel_Click();
    void txtLogin_Change(const std::string& text);
    void txtPassword_Change(const std::string& text);
    void subLocalizeInterface();

    const Timer& tmrQuit() const { return *tmrQuit_; }
    int failures() const { return failures_; }

private:
    PasswdForm& form();
    bool managerLoginUsable() const;
    bool accepted() const;
    void prepareLogin();
    void refuse();
    void lockOut();

    EngineContext& context_;
    Parts parts_;
    std::unique_ptr<Timer> tmrQuit_;
    // Wrong entries in this run; only a successful deactivation resets it.
    int failures_ = 0;
};

} // namespace orvan
