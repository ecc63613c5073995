#include "tray/NotifyIcon.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/TrayIcon.h"
#include "tray/MainWindow.h"

namespace orvan {
namespace {

// The states in which the icon answers the mouse: locked by the manager, session end,
// disconnected or connected usage, free session, no credit.
bool answersMouse(int state) {
    return state >= Workstation::kBlocked && state <= Workstation::kNoCredit;
}

} // namespace

NotifyIcon::NotifyIcon(EngineContext& context, MainWindow& mainWindow)
    : context_(context)
    , mainWindow_(mainWindow) {}

void NotifyIcon::attach(TrayIcon* icon) {
    icon_ = icon;
    if (icon_ == nullptr) {
        return;
    }
    icon_->setHandlers([this](int message, int shift) { Form_MouseMove(message, shift); },
                       [this](const std::string& entry) { mnuPopup_Click(entry); });
    // Attached after start-up: an active workstation shows its icon from now on.
    if (context_.trayIconShown) {
        subAddIcon();
    }
}

bool NotifyIcon::iconAvailable() const {
    return icon_ != nullptr && icon_->available();
}

void NotifyIcon::subAddIcon() {
    context_.errors.trap("frmMain.subAddIconError", OnError::LogOnly, [&] {
        if (icon_ == nullptr) {
            return; // the front end attaches the icon later and adds it then
        }
        if (!icon_->available()) {
            if (!absenceLogged_) {
                absenceLogged_ = true;
                context_.log.subWriteLog("No notification area on this desktop: the small "
                                         "status window stays on screen in place of the icon");
            }
            return;
        }
        blink_ = false;
        icon_->add(TrayIcon::Picture::Inactive, context_.localization.funLoadResString(10000));
        shown_ = true;
    });
}

void NotifyIcon::subRemoveIcon() {
    context_.errors.trap("frmMain.subRemoveIconError", OnError::LogOnly, [&] {
        if (shown_ && icon_ != nullptr) {
            icon_->remove();
        }
        shown_ = false;
    });
}

void NotifyIcon::tmrActiveTrayIcon_Timer() {
    context_.errors.trap("frmMain.tmrActiveTrayIcon_TimerError", OnError::ShowUnlessLocked, [&] {
        if (!shown_) {
            return;
        }
        try {
            icon_->modify(blink_ ? TrayIcon::Picture::Inactive : TrayIcon::Picture::Client);
        } catch (...) {
            // The icon keeps its last picture.
            context_.timers.tmrActiveTrayIcon->setEnabled(false);
            throw;
        }
        blink_ = !blink_;
    });
}

void NotifyIcon::Form_MouseMove(int message, int shift) {
    context_.errors.trap("frmMain.Form_MouseMoveError", OnError::ShowUnlessLocked, [&] {
        if (!answersMouse(context_.workstation.intWksnState)) {
            return;
        }
        if (message == kLeftDoubleClick || message == kLeftDoubleClick * kTwipsPerPixel) {
            // The micro window is a free session's only window: nothing to swap.
            if (context_.workstation.session.intSessionType != Workstation::kFree) {
                mainWindow_.mnuStatus_Click();
            }
        } else if (message == kRightButtonDown || message == kRightButtonDown * kTwipsPerPixel) {
            popupMenu(shift);
        }
    });
}

void NotifyIcon::popupMenu(int shift) {
    const auto& texts = mainWindow_.form().texts;
    std::vector<TrayMenuEntry> entries;
    const auto entry = [&texts](const char* name) {
        return TrayMenuEntry{name, texts.caption(name), true, false};
    };
    if (context_.workstation.session.intSessionType != Workstation::kFree) {
        auto status = entry("mnuStatus");
        status.isDefault = true;
        entries.push_back(status);
    }
    auto stop = entry("mnuStopSession");
    stop.enabled = context_.forms.mnuStopSessionEnabled;
    entries.push_back(stop);
    if ((shift & (kCtrl | kAlt)) == (kCtrl | kAlt)) {
        entries.push_back(entry("mnuDeactivate"));
    }
    entries.push_back(entry("mnuAboutPopup"));
    icon_->popup(entries);
}

void NotifyIcon::mnuPopup_Click(const std::string& entry) {
    if (entry == "mnuStatus") {
        mainWindow_.mnuStatus_Click();
    } else if (entry == "mnuStopSession") {
        mainWindow_.mnuStopSession_Click();
    } else if (entry == "mnuDeactivate") {
        mainWindow_.mnuDeactivate_Click();
    } else if (entry == "mnuAboutPopup") {
        mainWindow_.mnuAboutPopup_Click();
    }
}

} // namespace orvan
