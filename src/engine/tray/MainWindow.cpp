#include "tray/MainWindow.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "platform/SystemInfo.h"
#include "session/SessionControl.h"
#include "tray/AboutBox.h"

#include <algorithm>

namespace orvan {

MainWindow::MainWindow(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

MainForm& MainWindow::form() {
    return context_.forms.frmMain;
}

void MainWindow::subLocalizeInterface() {
    context_.errors.trap("frmMain.subLocalizeInterfaceError", OnError::LogOnly, [&] {
        auto& texts = context_.localization;
        const auto res = [&texts](long id) { return texts.funLoadResString(id); };
        const auto& system = context_.platform.system;
        const auto who =
            context_.settings.blnStandaloneWorkstation ? system.computerName() : system.userName();
        auto& main = form();
        main.caption = res(10000) + " - " + Utf8::lowerAscii(who);
        auto& t = main.texts;
        t.set("cmdActiver", res(10113), res(10301));
        t.set("cmdShutdown", res(10300) + "...", res(10302));
        t.set("cmdQuit", res(10114), res(10303));
        t.set("lbl0", res(10139));
        t.set("lbl1", res(10140));
        t.set("mnuFile", res(10144));
        t.set("mnuLogOff", res(10146) + "...");
        t.set("mnuActivate", res(10113));
        t.set("mnuQuit", res(10110));
        t.set("mnuTools", res(10149));
        t.set("mnuOptions", res(10147) + "...");
        t.set("mnuHelp", res(10145));
        t.set("mnuAbout", res(10141) + res(10000) + "...");
        t.set("mnuStatus", res(10112));
        t.set("mnuStopSession", res(10148));
        t.set("mnuDeactivate", res(10143) + res(10000));
        t.set("mnuAboutPopup", res(10141) + res(10000) + "...");
    });
}

void MainWindow::placeInsideScreen() {
    auto& main = form();
    const auto& screen = context_.platform.screen;
    const auto& settings = context_.settings;
    main.left =
        std::max(0L, std::min(settings.lngMainWindowLeft, screen.widthTwips() - main.width));
    main.top =
        std::max(0L, std::min(settings.lngMainWindowTop, screen.heightTwips() - main.height));
}

void MainWindow::Form_Load() {
    context_.errors.trap("frmMain.Form_LoadError", OnError::ShowUnlessLocked, [&] {
        auto& main = form();
        main.load();
        subLocalizeInterface();
        parts_.about.subLocalizeInterface();
        auto& texts = context_.localization;
        main.lblConnexionStatus = texts.funLoadResString(10337);
        main.width = kWidthTwips;
        main.height = context_.forms.fraControlsHeight;
        placeInsideScreen();
        main.lblServerName = context_.settings.blnAutoServerCnx ? texts.funLoadResString(10310)
                                                                : context_.settings.strServerName;
    });
}

void MainWindow::Form_Moved(long left, long top) {
    auto& main = form();
    main.left = left;
    main.top = top;
    // However the program ends next, it starts where the staff left the window.
    context_.settings.lngMainWindowLeft = left;
    context_.settings.lngMainWindowTop = top;
}

void MainWindow::Form_Unload() {
    context_.errors.trap("frmMain.Form_UnloadError", OnError::LogOnly, [&] {
        auto& main = form();
        context_.settings.lngMainWindowLeft = main.left;
        context_.settings.lngMainWindowTop = main.top;
        if (!context_.blnShuttingDown && quit_) {
            quit_();
        }
        main.unload();
    });
}

bool MainWindow::adminPasswordSet() const {
    return !context_.settings.strPassword.empty();
}

void MainWindow::cmdActiver_Click() {
    context_.errors.trap("frmMain.cmdActiver_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.sessionControl.subDefaultState(); });
}

void MainWindow::cmdQuit_Click() {
    context_.errors.trap("frmMain.cmdQuit_ClickError", OnError::ShowUnlessLocked, [&] {
        if (adminPasswordSet()) {
            parts_.sessionControl.subQuitPassword(&form());
        } else if (quit_) {
            quit_();
        }
    });
}

void MainWindow::cmdShutdown_Click() {
    context_.errors.trap("frmMain.cmdShutdown_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.sessionControl.subLogOffPassword(&form()); });
}

void MainWindow::mnuOptions_Click() {
    context_.errors.trap("frmMain.mnuOptions_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.sessionControl.subOptions(); });
}

void MainWindow::mnuAbout_Click() {
    context_.errors.trap("frmMain.mnuAbout_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.about.showModal(); });
}

void MainWindow::mnuAboutPopup_Click() {
    context_.errors.trap("frmMain.mnuAboutPopup_ClickError", OnError::ShowUnlessLocked,
                         [&] { parts_.about.showCentred(); });
}

void MainWindow::mnuStatus_Click() {
    context_.errors.trap("frmMain.mnuStatus_ClickError", OnError::ShowUnlessLocked, [&] {
        if (context_.forms.frmSmallStatus.visible) {
            parts_.sessionControl.subShowStatus();
        } else {
            parts_.sessionControl.subHideStatus();
        }
    });
}

void MainWindow::mnuStopSession_Click() {
    context_.errors.trap("frmMain.mnuStopSession_ClickError", OnError::ShowUnlessLocked, [&] {
        if (!context_.forms.mnuStopSessionEnabled) {
            return;
        }
        parts_.msgBox.subShowMsgBox(
            context_.localization.funLoadResString(10184), MsgBox::kButtonsYesNo,
            MsgBox::kDefaultNo, parts_.msgBox.actionCloseSession(), nullptr, MsgBox::kModeless, 0);
    });
}

void MainWindow::mnuDeactivate_Click() {
    context_.errors.trap("frmMain.mnuDeactivate_ClickError", OnError::ShowUnlessLocked, [&] {
        if (adminPasswordSet()) {
            parts_.sessionControl.subDeactivationPassword(&form());
        } else if (context_.settings.intConfigWizardMachine >= 1) {
            // Anyone at the computer can hold Ctrl+Alt: a configured computer opens only
            // to a password, as on the lock screen.
            context_.log.subWriteLog("frmMain.mnuDeactivate_Click: deactivation refused, no "
                                     "password is set");
            context_.platform.dialogs.beep();
        } else {
            parts_.sessionControl.subDeactivate();
        }
    });
}

} // namespace orvan
