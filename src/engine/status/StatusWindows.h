#pragma once

#include <string>

namespace orvan {

struct EngineContext;
struct StatusForm;
class MessageSender;
class MsgBox;
class SessionControl;

// What the customer does in the three status windows during a session: the full window
// (`frmStatus`: chat, usage mode, pause, quit, hide, member password), the small one
// (`frmSmallStatus`) and the micro one (`frmMicroStatus`, free sessions). Every action on
// the full window starts its 60-second auto-hide over.
class StatusWindows {
public:
    static constexpr long kHideStatusMillis = 60'000;
    // Longer member logins are cut to this many characters in the chat's sender name.
    static constexpr std::size_t kSenderIdChars = 10;

    struct Parts {
        SessionControl& sessionControl;
        MsgBox& msgBox;
        MessageSender& sender;
    };

    StatusWindows(EngineContext& context, Parts parts);

    // Captions and tool tips of all three windows in the language in force.
    void subLocalizeInterface();

    // frmStatus
    void cmdClose_Click();
    void cmdPause_Click();
    void cmdQuit_Click();
    void cmdCliPassword_Click();
    void cmdChatOpen_Click();
    void cmdChatClose_Click();
    // The chat heading: opens a collapsed pane, closes an open one.
    void lblChat_DblClick();
    void cmdChat_Click();
    void txtWksnChat_Change(const std::string& text);
    void txtWksnChatHist_Click();
    void optConnected_MouseDown();
    void optDisconnected_MouseDown();
    void tmrHideStatus_Timer();
    // The window's own close command hides it like cmdClose.
    void Form_Close();
    // A chat line from the manager.
    void receiveChat(const std::string& text);

    // frmSmallStatus: any of its ways back to the full window.
    void frmSmallStatus_ShowFull();
    void frmSmallStatus_cmdPause_Click();
    void frmSmallStatus_cmdQuit_Click();
    // frmMicroStatus
    void frmMicroStatus_cmdQuit_Click();

    // The text that goes to the server: without the markers at which the server would
    // cut it, however they were nested.
    static std::string funChatText(const std::string& input);
    // The name the customer's own chat lines carry in the history.
    std::string funSenderName() const;

private:
    StatusForm& full();
    void askPause(StatusForm& owner, const char* location);
    void askQuit(StatusForm& owner, const char* location);
    void openChatPane();
    // Stops the auto-hide for the duration of `action` and starts it again after.
    template <typename Action>
    void withHideTimerStopped(const char* location, Action&& action);

    EngineContext& context_;
    Parts parts_;
};

} // namespace orvan
