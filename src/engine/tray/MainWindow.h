#pragma once

#include <functional>

namespace orvan {

struct EngineContext;
struct MainForm;
class AboutBox;
class MsgBox;
class SessionControl;

// The main window `frmMain`: shown while the workstation is deactivated, with its menus
// and its three buttons; its popup menu is the tray icon's.
class MainWindow {
public:
    // Wide enough for the server's name and the connection state beside their labels.
    static constexpr long kWidthTwips = 6000;

    struct Parts {
        SessionControl& sessionControl;
        MsgBox& msgBox;
        AboutBox& about;
    };

    MainWindow(EngineContext& context, Parts parts);

    // Ends the program (funShutdownApplication with true); start-up sits above this.
    void setQuit(std::function<void()> quit) { quit_ = std::move(quit); }

    MainForm& form();
    void subLocalizeInterface();
    void Form_Load();
    // Closing the window ends the program, keeping where it stood for the next start.
    void Form_Unload();
    // Where the window was put, in twips, for the next start.
    void Form_Moved(long left, long top);

    void cmdActiver_Click();
    void cmdQuit_Click();
    void cmdShutdown_Click();
    void mnuOptions_Click();
    void mnuAbout_Click();
    void mnuAboutPopup_Click();
    void mnuStatus_Click();
    void mnuStopSession_Click();
    void mnuDeactivate_Click();

private:
    bool adminPasswordSet() const;
    void placeInsideScreen();

    EngineContext& context_;
    Parts parts_;
    std::function<void()> quit_;
};

} // namespace orvan
