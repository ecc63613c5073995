#pragma once

#include "DialogWindow.h"

#include <QObject>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <vector>

class QApplication;
class QScreen;

namespace orvan {

class AboutWindow;
class BlockWindow;
class Client;
class MainFormWindow;
class MicroStatusWindow;
class MsgBoxWindow;
class QtTrayIcon;
class SmallStatusWindow;
class StatusWindow;

// The Qt Widgets face of the client: owns the windows, keeps them in step with their
// models and forwards what the customer does. Each time the event loop is about to
// wait, and right after each forwarded action, every window re-reads its model.
class FrontEnd : public QObject {
    Q_OBJECT
public:
    // Sets the application's fonts and style, makes one lock window per screen and
    // syncs once. Build it after client.Main() so the first sync sees the started models.
    FrontEnd(Client& client, QApplication& application);
    ~FrontEnd() override;
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    // Brings every window up to date with its model.
    void sync();
    // The native ids of the lock windows, one per screen, for the shell lock. They
    // change when screens come and go or test mode is switched: see lockWindowsChanged.
    std::vector<WId> lockWindowIds() const;

    const std::vector<std::unique_ptr<BlockWindow>>& blockWindows() const { return blocks_; }
    MsgBoxWindow& msgBoxWindow() { return *msgBox_; }
    StatusWindow& statusWindow() { return *status_; }
    SmallStatusWindow& smallStatusWindow() { return *smallStatus_; }
    MicroStatusWindow& microStatusWindow() { return *microStatus_; }
    MainFormWindow& mainWindow() { return *main_; }
    AboutWindow& aboutWindow() { return *about_; }
    QtTrayIcon& trayIcon() { return *tray_; }
    // The dialog window of type `Window` (the setup wizard, the options and the
    // password dialogs).
    template <typename Window>
    Window& dialog() const {
        for (const auto& window : dialogs_) {
            if (auto* wanted = dynamic_cast<Window*>(window.get())) {
                return *wanted;
            }
        }
        throw std::logic_error("no such dialog");
    }

signals:
    void lockWindowsChanged();

private:
    void addScreen(QScreen* screen);
    void removeScreen(QScreen* screen);
    void choosePrimary();
    void buildSessionWindows();
    void syncSessionWindows();

    Client& client_;
    std::vector<std::unique_ptr<BlockWindow>> blocks_;
    std::unique_ptr<MsgBoxWindow> msgBox_;
    std::unique_ptr<StatusWindow> status_;
    std::unique_ptr<SmallStatusWindow> smallStatus_;
    std::unique_ptr<MicroStatusWindow> microStatus_;
    std::unique_ptr<MainFormWindow> main_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<QtTrayIcon> tray_;
    std::vector<std::unique_ptr<DialogWindow>> dialogs_;
    bool syncing_ = false;
    bool busy_ = false;
};

} // namespace orvan
