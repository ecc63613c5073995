#include "lockscreen/Login.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/Clock.h"
#include "platform/Timers.h"
#include "roles/SessionMoves.h"
#include "roles/StatusReporting.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"
#include "wire/WireNumbers.h"

#include <algorithm>

namespace orvan {

Login::Login(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {
    waitTimer_ = context.platform.timers.createTimer([this] { onWaitTick(); });
    waitTimer_->setInterval(kPollMillis);
    tmrActivateTimeout_ =
        context.platform.timers.createTimer([this] { tmrActivateTimeout_Timer(); });
    tmrActivateTimeout_->setInterval(kReEnableMillis);
}

bool Login::waiting() const {
    return context_.link.blnWaiting;
}

void Login::show(const std::string& text) {
    parts_.msgBox.subShowMsgBox(text, MsgBox::kButtonsOK, MsgBox::kDefaultYes, nullptr,
                                &context_.forms.frmBlock, MsgBox::kModal, 0);
}

void Login::showTwoLines(long first, long second) {
    auto& texts = context_.localization;
    show(texts.funLoadResString(first) + "\r\n" + texts.funLoadResString(second));
}

void Login::startReEnableDelay() {
    tmrActivateTimeout_->setEnabled(false);
    tmrActivateTimeout_->setEnabled(true);
}

void Login::tmrActivateTimeout_Timer() {
    auto& block = context_.forms.frmBlock;
    parts_.lockScreen.applyConnectButtonRule();
    block.txtCardNumEnabled = block.txtLoginEnabled = block.txtPasswordEnabled = true;
    if (block.fraCardNumberVisible) {
        block.focus = BlockForm::Control::txtCardNum;
    } else if (block.fraClientVisible) {
        block.focus = BlockForm::Control::txtLogin;
    }
    block.busyPointer = false;
    tmrActivateTimeout_->setEnabled(false);
}

void Login::subStartConnexion(int kind, int mode, const std::string& identifier,
                              const std::string& secret) {
    context_.errors.trap("modFunctions.subStartConnexionError", OnError::PassOn, [&] {
        auto& ctx = context_;
        auto& block = ctx.forms.frmBlock;
        block.cmdCxnEnabled = false;
        block.txtCardNumEnabled = block.txtLoginEnabled = block.txtPasswordEnabled = false;
        block.busyPointer = true;
        ctx.workstation.subUserInit(ctx.idleState(), ctx.now());
        if (!ctx.link.blnConnected) {
            startReEnableDelay();
            showTwoLines(10178, 10179);
            return;
        }
        if (WireFormat::holdsMarker(identifier) || WireFormat::holdsMarker(secret)) {
            refuseUnsendable();
            return;
        }
        ++ctx.intLoginAttempts;
        request_ = {kind, mode, identifier, secret, ctx.platform.clock.millisSinceBoot()};
        // The empty last field closes the request with a separator, as the server expects.
        const auto message =
            WireFormat::message(tags::kSessionOpen, {std::to_string(kind), secret, identifier,
                                                     std::to_string(mode), std::string_view{}});
        ctx.link.blnWaiting = true;
        if (!parts_.sender.funSendData(ctx.platform.wskCli, message, true)) {
            ctx.link.blnWaiting = false;
            startReEnableDelay();
            showTwoLines(10178, 10179);
            return;
        }
        waitTimer_->setEnabled(true);
    });
}

void Login::refuseUnsendable() {
    // Not an attempt: nothing reached the server. The credentials stay out of the log.
    context_.log.subWriteLog(
        "modFunctions.subStartConnexion: a login field holds a wire marker; nothing sent");
    startReEnableDelay();
    showTwoLines(10364, 10179);
}

void Login::onWaitTick() {
    context_.errors.trap("frmBlock.subStartConnexionError", OnError::ShowUnlessLocked, [&] {
        auto& ctx = context_;
        if (!ctx.link.blnWaiting) {
            waitTimer_->setEnabled(false);
            answered();
            return;
        }
        const auto waited =
            (ctx.platform.clock.millisSinceBoot() - request_.sentAtBootMillis) / 1000;
        // A hand-edited time-out is kept within a day (and a broken one means the default).
        const double timeOut =
            std::clamp(ctx.numbers.parse(ctx.settings.strTimeOut).value_or(10.0), 0.0, 86'400.0);
        if (static_cast<double>(waited) <= timeOut) {
            return;
        }
        waitTimer_->setEnabled(false);
        startReEnableDelay();
        ctx.link.blnWaiting = false;
        showTwoLines(10191, 10179);
        ctx.workstation.subUserInit(ctx.idleState(), ctx.now());
    });
}

void Login::answered() {
    auto& ctx = context_;
    startReEnableDelay();
    const int code = ctx.link.intAnswerCode;
    if (code != 0) {
        refused();
    }
    switch (code) {
    case 1:
        show(ctx.localization.funLoadResString(10104));
        return;
    case 2:
        return showTwoLines(10194, 10179);
    case 3:
        return showTwoLines(10192, 10193);
    case 4:
        return showTwoLines(10195, 10179);
    case 5:
        show(ctx.localization.funLoadResString(10322));
        return;
    case 6:
        return showTwoLines(10324, 10179);
    case 7:
        return showTwoLines(10192, 10323);
    case 8:
        return showTwoLines(10325, 10179);
    case 10:
        return showTwoLines(10362, 10179);
    default:
        break;
    }
    auto& w = ctx.workstation;
    w.session.intSessionType = request_.kind;
    w.setState(request_.mode);
    w.session.dteSessionStart = ctx.now() + w.dteServerOffset;
    w.session.strUserID = request_.identifier;
    w.session.strUserPasswd = request_.secret;
    parts_.reports.subUpdateServer();
    parts_.session.funStartSession();
}

void Login::refused() {
    auto& block = context_.forms.frmBlock;
    if (request_.kind == kCard) {
        block.txtCardNum.clear();
        block.focus = BlockForm::Control::txtCardNum;
    } else if (request_.kind == kMember) {
        block.txtLogin.clear();
        block.txtPassword.clear();
        block.focus = BlockForm::Control::txtLogin;
    }
    if (context_.intLoginAttempts >= context_.constants.wksnMaxNumUseAtempts) {
        lockOut();
    }
}

void Login::lockOut() {
    auto& ctx = context_;
    auto& texts = ctx.localization;
    // In the default language: the manager reads it.
    const auto notice = texts.funLoadResStringDefault(10305) +
                        std::to_string(ctx.constants.wksnMaxNumUseAtempts) +
                        texts.funLoadResStringDefault(10306) + ctx.settings.strWksnName + "\r\n" +
                        texts.funLoadResStringDefault(10307);
    parts_.sender.funSendData(ctx.platform.wskCli, WireFormat::message(tags::kMessageSend, notice),
                              true);
    parts_.session.subLock();
    ctx.workstation.dteLockOutLeft = ctx.constants.wksnActivateDelayTime;
    parts_.lockScreen.startUnblockCountdown();
}

} // namespace orvan
