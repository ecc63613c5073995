#include "FrontEnd.h"

#include "AboutWindow.h"
#include "BlockWindow.h"
#include "EngineActivity.h"
#include "FrontEndFonts.h"
#include "MainFormWindow.h"
#include "MicroStatusWindow.h"
#include "MsgBoxWindow.h"
#include "OptionsWindow.h"
#include "PasswdChangeWindow.h"
#include "PasswdCloseWindow.h"
#include "PasswdLogOffWindow.h"
#include "PasswdWindow.h"
#include "QtTrayIcon.h"
#include "SetupWizardWindow.h"
#include "SmallStatusWindow.h"
#include "StatusWindow.h"
#include "client/Client.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <utility>

// Resources of a static library are registered by hand, outside any namespace.
static void registerPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace orvan {

FrontEnd::FrontEnd(Client& client, QApplication& application)
    : client_(client)
    , msgBox_(client.context().forms.frmMsgBox.loaded, maker<MsgBoxWindow>())
    , status_(client.context().forms.frmStatus.visible,
              [this, make = maker<StatusWindow>()] {
                  auto window = make();
                  window->passFocusRequests(chatFocusSeen_);
                  return window;
              })
    , smallStatus_(client.context().forms.frmSmallStatus.visible, maker<SmallStatusWindow>())
    , microStatus_(client.context().forms.frmMicroStatus.visible, maker<MicroStatusWindow>())
    , main_(client.context().forms.frmMain.visible, maker<MainFormWindow>())
    , about_(client.context().forms.frmAbout.visible, maker<AboutWindow>(),
             DeferredWindow<AboutWindow>::Unwanted::drop) {
    registerPictures();
    // One style everywhere, so that the lock screen looks as it was drawn on any desktop.
    if (auto* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
    FrontEndFonts::install();

    for (auto* screen : QGuiApplication::screens()) {
        addScreen(screen);
    }
    connect(&application, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        addScreen(screen);
        sync();
        emit lockWindowsChanged();
    });
    connect(&application, &QGuiApplication::screenRemoved, this, [this](QScreen* screen) {
        removeScreen(screen);
        emit lockWindowsChanged();
    });
    connect(&application, &QGuiApplication::primaryScreenChanged, this,
            [this] { choosePrimary(); });
    application.installEventFilter(&inputActivity_);
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (EngineActivity::take()) {
                sync();
            }
        });
    }
    sync();
    const bool locked = std::any_of(blocks_.begin(), blocks_.end(),
                                    [](const auto& window) { return window->isVisible(); });
    if (!locked) {
        buildOtherWindows();
        return;
    }
    blocks_.front()->installEventFilter(this);
    QTimer::singleShot(kOtherWindowsBoundMillis, this, [this] { buildOtherWindows(); });
}

bool FrontEnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Once this paint is done and on screen.
        QTimer::singleShot(0, this, [this] { buildOtherWindows(); });
    }
    return QObject::eventFilter(watched, event);
}

FrontEnd& FrontEnd::otherWindows() {
    buildOtherWindows();
    return *this;
}

void FrontEnd::buildOtherWindows() {
    // Once: building may already be under way further up.
    if (tray_ != nullptr) {
        return;
    }
    buildTrayIcon();
    const auto& forms = client_.context().forms;
    deferDialog<SetupWizardWindow>(forms.frmSetupWizard);
    deferDialog<OptionsWindow>(forms.frmOptions);
    deferDialog<PasswdWindow>(forms.frmPasswd);
    deferDialog<PasswdCloseWindow>(forms.frmPasswdClose);
    deferDialog<PasswdLogOffWindow>(forms.frmPasswdLogOff);
    deferDialog<PasswdChangeWindow>(forms.frmPasswdChange);
    otherWindowsBuilt_ = true;
    otherWindowsNew_ = true;
    sync();
    emit otherWindowsMade();
}

FrontEnd::~FrontEnd() {
    client_.attachTrayIcon(nullptr);
    if (busy_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void FrontEnd::buildTrayIcon() {
    tray_ = std::make_unique<QtTrayIcon>();
    connect(tray_.get(), &QtTrayIcon::actionForwarded, this, &FrontEnd::sync);
    client_.attachTrayIcon(tray_.get());
}

template <typename Window>
typename DeferredWindow<Window>::Make FrontEnd::maker() {
    return [this] {
        auto window = std::make_unique<Window>(client_);
        connect(window.get(), &Window::actionForwarded, this, &FrontEnd::sync);
        return window;
    };
}

template <typename Window>
void FrontEnd::deferDialog(const FormModel& form) {
    const auto make = maker<Window>();
    dialogs_.emplace_back(form.loaded,
                          [make]() -> std::unique_ptr<DialogWindow> { return make(); });
}

void FrontEnd::syncSessionWindows() {
    status_.sync();
    if (!status_.made()) {
        chatFocusSeen_ = client_.context().forms.frmStatus.txtWksnChatFocusRequests;
    }
    smallStatus_.sync();
    microStatus_.sync();
    main_.sync();
    about_.sync();
}

void FrontEnd::addScreen(QScreen* screen) {
    auto window = std::make_unique<BlockWindow>(client_, screen);
    connect(window.get(), &BlockWindow::actionForwarded, this, &FrontEnd::sync);
    connect(window.get(), &BlockWindow::nativeWindowChanged, this, &FrontEnd::lockWindowsChanged);
    auto* raw = window.get();
    connect(screen, &QScreen::geometryChanged, raw, [raw, screen] {
        if (raw->isVisible()) {
            raw->setGeometry(screen->geometry());
        }
        raw->relayout();
    });
    blocks_.push_back(std::move(window));
    choosePrimary();
}

void FrontEnd::removeScreen(QScreen* screen) {
    std::erase_if(blocks_,
                  [screen](const auto& window) { return window->targetScreen() == screen; });
    choosePrimary();
}

void FrontEnd::choosePrimary() {
    const auto* primary = QGuiApplication::primaryScreen();
    const bool anyOnPrimary = std::any_of(blocks_.begin(), blocks_.end(), [primary](const auto& w) {
        return w->targetScreen() == primary;
    });
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        blocks_[i]->setPrimary(anyOnPrimary ? blocks_[i]->targetScreen() == primary : i == 0);
    }
}

void FrontEnd::sync() {
    // Showing a window can run the event loop's handlers again; one sync at a time.
    if (syncing_) {
        return;
    }
    syncing_ = true;
    bool lockScreenCameUp = false;
    for (const auto& window : blocks_) {
        lockScreenCameUp |= window->sync();
    }
    // Windows made after the lock screen come up now, over it like the lock windows.
    lockScreenCameUp |= std::exchange(otherWindowsNew_, false);
    syncOtherWindows(lockScreenCameUp);
    // A box waiting for an answer (QMessageBox::exec() runs this loop too) must not
    // end up under the lock window that was just raised, nor under the windows just
    // made: nobody could answer it.
    if (auto* modal = QApplication::activeModalWidget(); lockScreenCameUp && modal != nullptr) {
        modal->raise();
        modal->activateWindow();
    }
    // The hourglass over everything, buttons and fields included, while a login waits.
    const auto& block = client_.context().forms.frmBlock;
    const bool busy = block.busyPointer && block.visible;
    if (busy != busy_) {
        if (busy) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
        busy_ = busy;
    }
    syncing_ = false;
}

void FrontEnd::syncOtherWindows(bool lockScreenCameUp) {
    if (!otherWindowsBuilt()) {
        return;
    }
    syncSessionWindows();
    msgBox_.sync(lockScreenCameUp);
    for (auto& dialog : dialogs_) {
        dialog.sync(lockScreenCameUp);
    }
}

std::vector<WId> FrontEnd::lockWindowIds() const {
    std::vector<WId> ids;
    ids.reserve(blocks_.size());
    for (const auto& window : blocks_) {
        ids.push_back(window->nativeWindowId());
    }
    return ids;
}

} // namespace orvan
