#include "status/StatusWindows.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/TcpSocket.h"
#include "session/SessionControl.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

namespace orvan {
namespace {

constexpr long kAskPause = 10204;
constexpr long kAskQuit = 10184;

void localizeFull(StatusForm& form, Localization& texts) {
    const auto res = [&texts](long id) { return texts.funLoadResString(id); };
    auto& t = form.texts;
    t.set("cmdPause", res(10162), res(10166));
    t.set("cmdQuit", res(10114), res(10167));
    t.set("cmdClose", res(10169), res(10170));
    t.set("cmdCliPassword", res(10326), res(10327));
    t.set("cmdChatOpen", {}, res(10351));
    t.set("cmdChatClose", {}, res(10352));
    t.set("txtWksnChatHist", {}, res(10353));
    t.set("txtWksnChat", {}, res(10354));
    t.set("cmdChat", {}, res(10355));
    t.set("lbl0", res(10171));
    t.set("lbl1", res(10328));
    for (const char* expiry : {"lbl2", "lbl9"}) {
        t.set(expiry, res(10172));
    }
    for (const char* remaining : {"lbl3", "lbl8", "lbl11"}) {
        t.set(remaining, res(10164));
    }
    t.set("lbl4", res(10173));
    t.set("lbl5", res(10163));
    t.set("lbl6", res(10174));
    t.set("lbl7", res(10348));
    t.set("lbl10", res(10348));
    t.set("lblAmountDueLabel", res(10165));
    t.set("lblTimeToNextIncrement", {}, res(10359));
    t.set("optConnected", res(10130), res(10131));
    t.set("optDisconnected", res(10132), res(10133));
}

void localizeSmall(StatusForm& form, Localization& texts) {
    const auto res = [&texts](long id) { return texts.funLoadResString(id); };
    auto& t = form.texts;
    const auto doubleClickHint = res(10168);
    t.set("cmdPause", res(10162), res(10166));
    t.set("cmdQuit", res(10114), res(10167));
    t.set("cmdStatus", res(10176), res(10177));
    t.set("lbl1", res(10163), doubleClickHint);
    t.set("lbl5", res(10163), doubleClickHint);
    t.set("lbl3", res(10164), doubleClickHint);
    t.set("lblAmountDueLabel", res(10165), doubleClickHint);
    for (const char* counter : {"fraCard", "fraSelfService", "lblRemainTime", "lblAmountDue",
                                "lblElapsedTimeCard", "lblElapsedTimeSelfService"}) {
        t.set(counter, {}, doubleClickHint);
    }
    t.set("lblTimeToNextIncrement", {}, res(10359));
}

bool removeAll(std::string& text, std::string_view marker) {
    bool removed = false;
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker)) {
        text.erase(at, marker.size());
        removed = true;
    }
    return removed;
}

} // namespace

StatusWindows::StatusWindows(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

StatusForm& StatusWindows::full() {
    return context_.forms.frmStatus;
}

template <typename Action>
void StatusWindows::withHideTimerStopped(const char* location, Action&& action) {
    auto& timer = *context_.timers.tmrHideStatus;
    timer.setEnabled(false);
    context_.errors.trap(location, OnError::ShowUnlessLocked, [&] {
        action();
        // An action that took the window away leaves nothing to hide.
        if (full().visible) {
            timer.setEnabled(true);
        }
    });
}

void StatusWindows::subLocalizeInterface() {
    context_.errors.trap("frmStatus.subLocalizeInterfaceError", OnError::LogOnly, [&] {
        auto& forms = context_.forms;
        auto& texts = context_.localization;
        const auto title = texts.funLoadResString(10112);
        for (auto* form : {&forms.frmStatus, &forms.frmSmallStatus, &forms.frmMicroStatus}) {
            form->caption = title;
            form->texts.set("cmdQuit", texts.funLoadResString(10114),
                            texts.funLoadResString(10167));
        }
        localizeFull(forms.frmStatus, texts);
        localizeSmall(forms.frmSmallStatus, texts);
    });
}

void StatusWindows::cmdClose_Click() {
    context_.errors.trap("frmStatus.cmdClose_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.sessionControl.subHideStatus(); });
}

void StatusWindows::Form_Close() {
    // The customer closing the window by its frame must not be left without the time
    // on screen: it shrinks to the small window as the hide button does.
    cmdClose_Click();
}

void StatusWindows::askPause(StatusForm& owner, const char* location) {
    context_.errors.trap(location, OnError::ShowUnlessLocked, [&] {
        parts_.msgBox.subShowMsgBox(
            context_.localization.funLoadResString(kAskPause), MsgBox::kButtonsYesNo,
            MsgBox::kDefaultNo, parts_.msgBox.actionPauseSession(), &owner, MsgBox::kModeless, 0);
    });
}

void StatusWindows::askQuit(StatusForm& owner, const char* location) {
    context_.errors.trap(location, OnError::ShowUnlessLocked, [&] {
        if (!owner.cmdQuitEnabled) {
            return;
        }
        parts_.msgBox.subShowMsgBox(
            context_.localization.funLoadResString(kAskQuit), MsgBox::kButtonsYesNo,
            MsgBox::kDefaultNo, parts_.msgBox.actionCloseSession(), &owner, MsgBox::kModeless, 0);
    });
}

// The boxes are modeless: the focus moves while the question is still open.
void StatusWindows::cmdPause_Click() {
    withHideTimerStopped("frmStatus.cmdPause_ClickError", [&] {
        askPause(full(), "frmStatus.cmdPause_ClickError");
        full().moveFocus("cmdClose");
    });
}

void StatusWindows::cmdQuit_Click() {
    withHideTimerStopped("frmStatus.cmdQuit_ClickError", [&] {
        full().moveFocus("cmdClose");
        askQuit(full(), "frmStatus.cmdQuit_ClickError");
    });
}

void StatusWindows::cmdCliPassword_Click() {
    withHideTimerStopped("frmStatus.cmdCliPassword_ClickError", [&] {
        if (!full().cmdCliPasswordEnabled) {
            return;
        }
        parts_.sessionControl.subPasswordChange(&full());
    });
}

void StatusWindows::openChatPane() {
    auto& form = full();
    form.fraChatVisible = true;
    ++form.txtWksnChatFocusRequests;
}

void StatusWindows::cmdChatOpen_Click() {
    withHideTimerStopped("frmStatus.cmdChatOpen_ClickError", [&] { openChatPane(); });
}

void StatusWindows::cmdChatClose_Click() {
    // With the pane closed the window stays until hidden or replaced.
    context_.timers.tmrHideStatus->setEnabled(false);
    full().fraChatVisible = false;
}

void StatusWindows::lblChat_DblClick() {
    if (full().fraChatVisible) {
        cmdChatClose_Click();
    } else {
        cmdChatOpen_Click();
    }
}

std::string StatusWindows::funChatText(const std::string& input) {
    std::string text = input;
    // Taking one marker out can join the pieces around it into another.
    while (removeAll(text, tags::kMessageEnd) || removeAll(text, tags::kPayloadToken)) {
    }
    return text;
}

std::string StatusWindows::funSenderName() const {
    auto name = context_.localization.funLoadResString(10349);
    const auto& session = context_.workstation.session;
    if (session.intSessionType == Workstation::kCard ||
        session.intSessionType == Workstation::kMember) {
        const auto& id = session.strUserID;
        const auto shown = Utf8::length(id) > kSenderIdChars
                               ? std::string{Utf8::left(id, kSenderIdChars)} + "..."
                               : id;
        name += " (" + shown + ")";
    }
    return name;
}

void StatusWindows::cmdChat_Click() {
    auto& form = full();
    if (form.txtWksnChat.empty() || !form.cmdChatEnabled) {
        return;
    }
    withHideTimerStopped("frmStatus.cmdChat_ClickError", [&] {
        const auto text = funChatText(form.txtWksnChat);
        form.appendChatLine(" " + funSenderName() + ": " + text);
        form.txtWksnChat.clear();
        parts_.sender.funSendData(context_.platform.wskCli,
                                  WireFormat::message(tags::kChatMessage, text), true);
    });
}

void StatusWindows::txtWksnChat_Change(const std::string& text) {
    full().txtWksnChat = text;
    if (full().visible) {
        context_.timers.tmrHideStatus->restart();
    }
}

void StatusWindows::txtWksnChatHist_Click() {
    if (full().visible) {
        context_.timers.tmrHideStatus->restart();
    }
}

void StatusWindows::optConnected_MouseDown() {
    withHideTimerStopped("frmStatus.optConnected_MouseDownError", [&] {
        auto& form = full();
        if (context_.workstation.intWksnState == Workstation::kConnected) {
            return;
        }
        form.optConnected = true;
        form.optDisconnected = false;
        if (form.optDisconnectedEnabled) {
            parts_.msgBox.subShowMsgBox(
                context_.localization.funLoadResString(10190), MsgBox::kButtonsYesNo,
                MsgBox::kDefaultYes, parts_.msgBox.actionConnected(), &form, MsgBox::kModeless, 1);
        }
    });
}

void StatusWindows::optDisconnected_MouseDown() {
    withHideTimerStopped("frmStatus.optDisconnected_MouseDownError", [&] {
        auto& form = full();
        if (context_.workstation.intWksnState == Workstation::kDisconnected ||
            !form.optDisconnectedEnabled) {
            return;
        }
        if (!form.visible) {
            form.optConnected = true;
            form.optDisconnected = false;
            return;
        }
        form.optDisconnected = true;
        form.optConnected = false;
        auto& texts = context_.localization;
        parts_.msgBox.subShowMsgBox(
            texts.funLoadResString(10188) + "\r\n\r\n" + texts.funLoadResString(10189),
            MsgBox::kButtonsYesNo, MsgBox::kDefaultNo, parts_.msgBox.actionDisconnected(), &form,
            MsgBox::kModeless, 1);
    });
}

void StatusWindows::tmrHideStatus_Timer() {
    context_.errors.trap("frmStatus.tmrHideStatus_TimerError", OnError::ShowUnlessLocked, [&] {
        auto& timer = *context_.timers.tmrHideStatus;
        if (!full().visible) {
            timer.setEnabled(false);
            return;
        }
        // The member's password dialog belongs to this window: it waits for the dialog.
        if (context_.forms.frmPasswdChange.loaded) {
            return;
        }
        parts_.sessionControl.subHideStatus();
    });
}

void StatusWindows::receiveChat(const std::string& text) {
    auto& form = full();
    form.appendChatLine(" " + context_.localization.funLoadResString(10350) + ": " + text);
    form.fraChatVisible = true;
    if (form.visible) {
        openChatPane();
        context_.timers.tmrHideStatus->restart();
    } else if (!Workstation::funStateIsBlocked(context_.workstation.intWksnState)) {
        // Showing the status window releases the lock screen: in a pause or out of
        // credit the line waits in the history until the session resumes.
        parts_.sessionControl.subShowStatus();
        if (form.visible) {
            openChatPane();
        }
    }
}

void StatusWindows::frmSmallStatus_ShowFull() {
    context_.errors.trap("frmSmallStatus.cmdStatus_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.sessionControl.subShowStatus(); });
}

void StatusWindows::frmSmallStatus_cmdPause_Click() {
    auto& small = context_.forms.frmSmallStatus;
    askPause(small, "frmSmallStatus.cmdPause_ClickError");
    small.moveFocus("cmdStatus");
}

void StatusWindows::frmSmallStatus_cmdQuit_Click() {
    auto& small = context_.forms.frmSmallStatus;
    askQuit(small, "frmSmallStatus.cmdQuit_ClickError");
    small.moveFocus("cmdStatus");
}

void StatusWindows::frmMicroStatus_cmdQuit_Click() {
    auto& micro = context_.forms.frmMicroStatus;
    askQuit(micro, "frmMicroStatus.cmdQuit_ClickError");
    micro.moveFocus("cmdQuit");
}

} // namespace orvan
