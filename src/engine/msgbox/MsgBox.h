#pragma once

#include "model/MsgBoxAction.h"
#include "roles/MessageShowing.h"

#include <memory>
#include <string>

namespace orvan {

struct EngineContext;
struct FormModel;
struct MsgBoxForm;
class AppControl;
class LockForState;
class SessionMoves;
class Timer;

// The program's own message box: modeless unless an owner asks for modality, it
// answers itself with its default button after a fixed time and runs an action on
// Yes or No, so that nothing waits for the customer. The window is
// context.forms.frmMsgBox; unloading that model directly (as closing all windows
// does) is enough: the time-out then does nothing and no action runs.
class MsgBox : public MessageShowing {
public:
    static constexpr int kButtonsOK = 0;
    static constexpr int kButtonsYesNo = 1;
    static constexpr int kDefaultYes = 1;
    static constexpr int kDefaultNo = 2;
    static constexpr int kModeless = 0;
    static constexpr int kModal = 1;
    // The longest interval of a window timer.
    static constexpr long kTimeOutMillis = 65'535;

    // What the session actions work on; they run only after construction.
    struct Parts {
        SessionMoves& session;
        LockForState& lock;
        AppControl& appControl;
    };

    MsgBox(EngineContext& context, Parts parts);
    ~MsgBox();
    MsgBox(const MsgBox&) = delete;
    MsgBox& operator=(const MsgBox&) = delete;

    // `buttons` 0 OK, 1 Yes/No; `defaultButton` 1 Yes, 2 No (also the time-out's
    // answer); `modal` applies only with an owner; a non-zero `protectedFlag` keeps
    // the box from being replaced while it shows. Returns at once, even when modal.
    void subShowMsgBox(const std::string& text, int buttons, int defaultButton,
                       std::shared_ptr<MsgBoxAction> action, FormModel* owner, int modal,
                       int protectedFlag);
    // Closes the box without an answer.
    void unload();
    void showNotice(const std::string& text) override;

    // Events of the window, for the front end.
    void Form_Load();
    void Form_Activate();
    void cmdOK_Click();
    void cmdYes_Click();
    void cmdNo_Click();
    void tmrTimeOut_Timer();
    void Form_Unload();
    void subLocalizeInterface();

    // The shared actions; they hold no data, so one of each serves every question.
    const std::shared_ptr<MsgBoxAction>& actionEmpty() const { return empty_; }
    const std::shared_ptr<MsgBoxAction>& actionPauseSession() const { return pause_; }
    const std::shared_ptr<MsgBoxAction>& actionUnPauseSession() const { return unPause_; }
    const std::shared_ptr<MsgBoxAction>& actionCloseSession() const { return close_; }
    const std::shared_ptr<MsgBoxAction>& actionConnected() const { return connected_; }
    const std::shared_ptr<MsgBoxAction>& actionDisconnected() const { return disconnected_; }

    Timer& tmrTimeOut() { return *timeOut_; }

private:
    MsgBoxForm& form();

    EngineContext& context_;
    std::unique_ptr<Timer> timeOut_;
    // Kept between messages: the box on screen is protected; the last text shown.
    int protected_ = 0;
    std::string lastText_;

    std::shared_ptr<MsgBoxAction> empty_;
    std::shared_ptr<MsgBoxAction> pause_;
    std::shared_ptr<MsgBoxAction> unPause_;
    std::shared_ptr<MsgBoxAction> close_;
    std::shared_ptr<MsgBoxAction> connected_;
    std::shared_ptr<MsgBoxAction> disconnected_;
};

} // namespace orvan
