#pragma once

#include "roles/TrayPresence.h"

#include <string>

namespace orvan {

struct EngineContext;
class MainWindow;
class TrayIcon;

// The program's icon in the notification area while the workstation is active: its
// blinking, the mouse on it and its popup menu. Without a notification area on the
// desktop the icon is left out (logged once) and the status windows stand in for it.
class NotifyIcon : public TrayPresence {
public:
    // The mouse messages of the notify-icon callback, also in twips at 15 per pixel.
    static constexpr int kLeftDoubleClick = 515;
    static constexpr int kRightButtonDown = 516;
    static constexpr int kTwipsPerPixel = 15;
    // Shift states of the mouse event.
    static constexpr int kCtrl = 2;
    static constexpr int kAlt = 4;

    NotifyIcon(EngineContext& context, MainWindow& mainWindow);

    // The adapter of this desktop; none means no notification area.
    void attach(TrayIcon* icon);

    void subAddIcon() override;
    void subRemoveIcon() override;
    bool iconAvailable() const override;

    void tmrActiveTrayIcon_Timer();
    void Form_MouseMove(int message, int shift);
    void mnuPopup_Click(const std::string& entry);

    bool blinkOn() const { return blink_; }

private:
    void popupMenu(int shift);

    EngineContext& context_;
    MainWindow& mainWindow_;
    TrayIcon* icon_ = nullptr;
    bool blink_ = false;
    bool shown_ = false;
    bool absenceLogged_ = false;
};

} // namespace orvan
