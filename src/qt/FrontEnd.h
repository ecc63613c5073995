#pragma once

#include "AboutWindow.h"
#include "DeferredWindow.h"
#include "DialogWindow.h"
#include "InputActivity.h"
#include "MainFormWindow.h"
#include "MicroStatusWindow.h"
#include "MsgBoxWindow.h"
#include "SmallStatusWindow.h"
#include "StatusWindow.h"

#include <QObject>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <vector>

class QApplication;
class QScreen;

namespace orvan {

class BlockWindow;
class Client;
class QtTrayIcon;

// The Qt Widgets face of the client: owns the windows, keeps them in step with their
// models and forwards what the customer does. Each time the event loop is about to
// wait after the engine ran (EngineActivity: a timer, a socket, a notifier, any input
// event), and right after each forwarded action, every window re-reads its model. When
// the client starts locked, the lock windows come first: the others are made once the
// lock screen has been painted (or asked for), so that they do not hold it up.
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
    // The windows other than the lock windows; asking for one makes them all. Each is
    // otherwise made when its model first needs it (DeferredWindow).
    MsgBoxWindow& msgBoxWindow() { return otherWindows().msgBox_.window(); }
    StatusWindow& statusWindow() { return otherWindows().status_.window(); }
    SmallStatusWindow& smallStatusWindow() { return otherWindows().smallStatus_.window(); }
    MicroStatusWindow& microStatusWindow() { return otherWindows().microStatus_.window(); }
    MainFormWindow& mainWindow() { return otherWindows().main_.window(); }
    AboutWindow& aboutWindow() { return otherWindows().about_.window(); }
    QtTrayIcon& trayIcon() { return *otherWindows().tray_; }
    bool otherWindowsBuilt() const { return otherWindowsBuilt_; }
    // The dialog window of type `Window` (the setup wizard, the options and the
    // password dialogs).
    template <typename Window>
    Window& dialog() {
        for (auto& deferred : otherWindows().dialogs_) {
            if (auto* wanted = dynamic_cast<Window*>(&deferred.window())) {
                return *wanted;
            }
        }
        throw std::logic_error("no such dialog");
    }

signals:
    void lockWindowsChanged();
    // Once, when the other windows have been made: the lock screen is on view, so what
    // its first picture did not need may be done now.
    void otherWindowsMade();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How long the other windows wait for the lock screen's first paint at most.
    static constexpr int kOtherWindowsBoundMillis = 1000;

    FrontEnd& otherWindows();
    void buildOtherWindows();
    void syncOtherWindows(bool lockScreenCameUp);
    void addScreen(QScreen* screen);
    void removeScreen(QScreen* screen);
    void choosePrimary();
    void buildTrayIcon();
    void syncSessionWindows();
    // Makes a `Window` and forwards its actions.
    template <typename Window>
    typename DeferredWindow<Window>::Make maker();
    template <typename Window>
    void deferDialog(const FormModel& form);

    Client& client_;
    InputActivity inputActivity_;
    std::vector<std::unique_ptr<BlockWindow>> blocks_;
    DeferredWindow<MsgBoxWindow> msgBox_;
    DeferredWindow<StatusWindow> status_;
    DeferredWindow<SmallStatusWindow> smallStatus_;
    DeferredWindow<MicroStatusWindow> microStatus_;
    DeferredWindow<MainFormWindow> main_;
    DeferredWindow<AboutWindow> about_;
    std::unique_ptr<QtTrayIcon> tray_;
    std::vector<DeferredWindow<DialogWindow>> dialogs_;
    // The status window's chat focus requests at the last sync before it was made.
    unsigned chatFocusSeen_ = 0;
    bool syncing_ = false;
    bool otherWindowsBuilt_ = false;
    bool otherWindowsNew_ = false;
    bool busy_ = false;
};

} // namespace orvan
