#include "msgbox/MsgBox.h"

#include "base/ErrorReporter.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "msgbox/clsActionCloseSession.h"
#include "msgbox/clsActionConnected.h"
#include "msgbox/clsActionDisconnected.h"
#include "msgbox/clsActionEmpty.h"
#include "msgbox/clsActionPauseSession.h"
#include "msgbox/clsActionUnPauseSession.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "platform/Timers.h"

namespace orvan {
namespace {

MsgBoxButton defaultFocus(const MsgBoxForm& box) {
    if (box.fraOKVisible) {
        return MsgBoxButton::cmdOK;
    }
    return box.defaultButton == MsgBoxButton::cmdYes ? MsgBoxButton::cmdYes : MsgBoxButton::cmdNo;
}

} // namespace

MsgBox::MsgBox(EngineContext& context, Parts parts)
    : context_(context)
    , timeOut_(context.platform.timers.createTimer([this] { tmrTimeOut_Timer(); }))
    , empty_(std::make_shared<clsActionEmpty>())
    , pause_(std::make_shared<clsActionPauseSession>(context, parts.session, parts.lock))
    , unPause_(std::make_shared<clsActionUnPauseSession>(context, parts.session))
    , close_(std::make_shared<clsActionCloseSession>(context, parts.session, parts.lock))
    , connected_(std::make_shared<clsActionConnected>(context))
    , disconnected_(std::make_shared<clsActionDisconnected>(context, parts.appControl)) {
    timeOut_->setInterval(kTimeOutMillis);
}

MsgBox::~MsgBox() = default;

MsgBoxForm& MsgBox::form() {
    return context_.forms.frmMsgBox;
}

void MsgBox::subShowMsgBox(const std::string& text, int buttons, int defaultButton,
                           std::shared_ptr<MsgBoxAction> action, FormModel* owner, int modal,
                           int protectedFlag) {
    context_.errors.trap("modFunctions.subShowMsgBoxError", OnError::PassOn, [&] {
        auto& box = form();
        auto& forms = context_.forms;
        if (!(text == lastText_ && box.loaded)) {
            context_.platform.dialogs.beep();
        }
        // A message always closes an open password dialog first, even one then dropped.
        if (forms.frmPasswdChange.loaded) {
            forms.frmPasswdChange.unload();
        }
        if (forms.frmPasswd.loaded) {
            forms.frmPasswd.unload();
        }
        if (!box.loaded) {
            Form_Load();
        }
        if (box.visible && protected_ != 0) {
            return;
        }

        protected_ = protectedFlag;
        lastText_ = text;
        timeOut_->setEnabled(false);
        timeOut_->setEnabled(true);
        box.lblText = text;
        box.fraOKVisible = buttons == kButtonsOK;
        box.fraYesNoVisible = buttons == kButtonsYesNo;
        box.mfrmParent = owner;

        if (buttons == kButtonsOK) {
            box.icon = MsgBoxIcon::Exclamation;
            box.defaultButton = MsgBoxButton::cmdOK;
            box.cancelButton = MsgBoxButton::cmdOK;
        } else {
            // Anything but an explicit Yes defaults to No, the answer that changes nothing.
            const auto answer =
                defaultButton == kDefaultYes ? MsgBoxButton::cmdYes : MsgBoxButton::cmdNo;
            box.icon = MsgBoxIcon::Question;
            box.defaultButton = answer;
            box.cancelButton = answer;
            box.uAction = std::move(action);
        }

        // Modality is the front end's business: the call returns at once either way.
        box.modal = owner != nullptr && modal == kModal;
        box.show();
        box.focused = defaultFocus(box);
    });
}

void MsgBox::unload() {
    Form_Unload();
}

void MsgBox::showNotice(const std::string& text) {
    subShowMsgBox(text, kButtonsOK, kDefaultYes, nullptr, nullptr, kModeless, 0);
}

void MsgBox::Form_Load() {
    context_.errors.trap("frmMsgBox.Form_LoadError", OnError::ShowUnlessLocked, [&] {
        auto& box = form();
        box.load();
        subLocalizeInterface();
        const auto& screen = context_.platform.screen;
        box.left = (screen.workAreaWidthTwips() - box.width) / 2;
        box.top = (screen.workAreaHeightTwips() - box.height) / 2;
        // In test mode the developer's windows must stay reachable.
        box.topMost = !context_.flags.blnTestMode;
    });
}

void MsgBox::Form_Activate() {
    context_.errors.trap("frmMsgBox.Form_ActivateError", OnError::ShowUnlessLocked,
                         [&] { form().focused = defaultFocus(form()); });
}

void MsgBox::cmdOK_Click() {
    context_.errors.trap("frmMsgBox.cmdOK_ClickError", OnError::ShowUnlessLocked,
                         [&] { unload(); });
}

void MsgBox::cmdYes_Click() {
    context_.errors.trap("frmMsgBox.cmdYes_ClickError", OnError::ShowUnlessLocked, [&] {
        // Held here: the action may open the next question and replace uAction.
        const auto action = form().uAction;
        unload();
        if (action) {
            action->subExecuteCommandButton1();
        }
    });
}

void MsgBox::cmdNo_Click() {
    context_.errors.trap("frmMsgBox.cmdNo_ClickError", OnError::ShowUnlessLocked, [&] {
        const auto action = form().uAction;
        unload();
        if (action) {
            action->subExecuteCommandButton2();
        }
    });
}

void MsgBox::tmrTimeOut_Timer() {
    context_.errors.trap("frmMsgBox.tmrTimeOut_TimerError", OnError::ShowUnlessLocked, [&] {
        const auto& box = form();
        if (!box.loaded) {
            // Unloaded from outside: the count ends with the window.
            timeOut_->setEnabled(false);
            return;
        }
        if (!box.visible) {
            return;
        }
        if (box.fraOKVisible) {
            cmdOK_Click();
        } else if (box.defaultButton == MsgBoxButton::cmdNo) {
            cmdNo_Click();
        } else {
            cmdYes_Click();
        }
    });
}

void MsgBox::Form_Unload() {
    form().unload();
    timeOut_->setEnabled(false);
}

void MsgBox::subLocalizeInterface() {
    context_.errors.trap("frmMsgBox.subLocalizeInterfaceError", OnError::ShowUnlessLocked, [&] {
        auto& box = form();
        auto& localization = context_.localization;
        box.caption =
            localization.funLoadResString(10000) + " - " + localization.funLoadResString(10106);
        box.cmdOKCaption = localization.funLoadResString(10266);
        box.cmdYesCaption = localization.funLoadResString(10267);
        box.cmdNoCaption = localization.funLoadResString(10268);
    });
}

} // namespace orvan
