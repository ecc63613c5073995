// The workstation client: builds the Linux and Qt adapters, hands them to the engine
// and runs the event loop.

#include "AccessibleAddresses.h"
#include "DlShellLock.h"
#include "EngineActivity.h"
#include "FontConfigLoad.h"
#include "FrontEnd.h"
#include "GuardLink.h"
#include "HeadlessShellLock.h"
#include "HomeTraces.h"
#include "IconvAnsiCodec.h"
#include "InstallLayout.h"
#include "LinuxClock.h"
#include "LinuxFileSystem.h"
#include "LinuxMixer.h"
#include "LinuxShell.h"
#include "LinuxSystemInfo.h"
#include "QtDialogs.h"
#include "QtScreen.h"
#include "QtTcpSocket.h"
#include "QtTimers.h"
#include "QtUdpSocket.h"
#include "RegistryFileStore.h"
#include "X11Browsers.h"
#include "X11Desktop.h"
#include "client/Client.h"
#include "localization/StringTable.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string{} : std::string{value};
}

// The lockdown only holds on X11; Qt's offscreen platform serves tests and demos.
bool chooseWindowSystem() {
    const auto platform = environment("QT_QPA_PLATFORM");
    if (platform == "offscreen") {
        return true;
    }
    if (environment("XDG_SESSION_TYPE") == "wayland" && environment("DISPLAY").empty()) {
        std::cerr << "OrvanClient needs an X11 session: under Wayland the workstation cannot be "
                     "locked. Log in to an X11 session.\n";
        return false;
    }
    if (environment("XDG_SESSION_TYPE") == "wayland") {
        std::cerr << "Wayland session detected: running through X11 (XWayland); the lockdown "
                     "holds only in a real X11 session.\n";
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return true;
}

// The account's home, where the customer's traces are cleaned: never $HOME, which the
// person who started the client chose.
std::string homeFolder() {
    const passwd* account = getpwuid(getuid());
    return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : std::string{};
}

// The lock library reports from a thread of its own: the line is carried over to the
// event loop's thread before it reaches the log. The log lives as long as the loop.
orvan::Log* lockLibraryLog = nullptr;

void logLockLibraryLine(const char* line) {
    QMetaObject::invokeMethod(
        qApp,
        [text = std::string{line}] {
            lockLibraryLog->subWriteLog("winlock: " + text);
            orvan::EngineActivity::note();
        },
        Qt::QueuedConnection);
}

// Grabs taken on the lock windows' own connection let the customer type into them.
// The connection is lent before the first lock, with no window yet, so that the grabs
// are taken on it from the start and never change hands between connections.
void lendLockWindows(orvan::DlShellLock& shellLock, const orvan::FrontEnd* frontEnd) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return;
    }
    std::vector<std::uint32_t> windows;
    if (frontEnd != nullptr) {
        for (const auto id : frontEnd->lockWindowIds()) {
            windows.push_back(static_cast<std::uint32_t>(id));
        }
    }
    shellLock.attachLockWindows(x11->connection(), windows);
}

// A source that could not open its descriptor is not watched: Qt warns about a notifier
// on none. What it reads may change the models, so the windows are synced after it.
std::unique_ptr<QSocketNotifier> watchReadable(int fd, const std::function<void()>& onReadable) {
    if (fd < 0) {
        return nullptr;
    }
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [onReadable] {
        onReadable();
        orvan::EngineActivity::note();
    });
    return notifier;
}

// What the lock screen's first picture does not need waits until it is on view; a
// client that did not start locked has made its windows already.
void afterFirstPicture(orvan::FrontEnd& frontEnd, const std::function<void()>& work) {
    if (frontEnd.otherWindowsBuilt()) {
        work();
        return;
    }
    QObject::connect(&frontEnd, &orvan::FrontEnd::otherWindowsMade, &frontEnd, work,
                     Qt::SingleShotConnection);
}

std::string commandLine(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        line += (i > 1 ? " " : "") + std::string{argv[i]};
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    if (!chooseWindowSystem()) {
        return 2;
    }
    // On the other core while Qt and the engine start: see FontConfigLoad.
    orvan::FontConfigLoad fontConfig;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    using namespace orvan;
    // What the installed client writes stays with its group: the data folder (root, the
    // client's group, no access for others) is what keeps it from the customer.
    if (InstallLayout::installed()) {
        umask(007);
    }
    // Killed, frozen or cut off from the display, the client falls silent to the guard,
    // which ends the login session; only the orderly end below says goodbye. A build
    // tree registers only where told to, so that its tests never end a developer's
    // session.
    GuardLink guard;
    const std::string guardSocket = InstallLayout::guardSocket();
    const bool guarded = !guardSocket.empty() && guard.start(guardSocket);
    const std::string appKey{StringTable::text(10006)};
    LinuxSystemInfo system;
    LinuxClock clock;
    QtTimers timers;
    const std::string dataFolder = system.commonAppDataFolder() + "/" + appKey;
    RegistryFileStore store(dataFolder + "/machine.reg",
                            InstallLayout::userSettingsFile(dataFolder));
    IconvAnsiCodec codec(system.ansiCodePage());
    LinuxFileSystem files;
    QtDialogs dialogs;
    // Start-up may end the program before the event loop runs (a second copy).
    bool ended = false;
    LinuxShell shell([&ended] {
        ended = true;
        QCoreApplication::exit(0);
    });
    QtScreen screen;
    X11Desktop desktop;
    // The pages' addresses come from the accessibility bus, read as the event loop runs;
    // only the installed client switches the session's accessibility on for the browsers.
    AccessibleAddresses addresses({.switchOn = InstallLayout::installed()});
    X11Browsers browsers(&addresses);
    HomeTraces traces(homeFolder(), dataFolder);
    DlShellLock shellLock(system.programFolder());
    HeadlessShellLock headlessLock;
    // Installed, the real lock is always tried: with no screen it fails and is reported.
    const bool headless =
        environment("QT_QPA_PLATFORM") == "offscreen" && !InstallLayout::installed();
    // The mixer is opened once the lock screen is on view: see afterFirstPicture.
    LinuxMixer mixer(LinuxMixer::kDefaultTimeout, LinuxMixer::Start::HeldBack);
    QtTcpSocket tcp;
    QtUdpSocket udp;

    const auto timeChanges =
        watchReadable(clock.timeChangeFd(), [&clock] { clock.onTimeChangeFdReadable(); });
    const auto accessibilityEvents =
        watchReadable(addresses.fd(), [&addresses] { addresses.dispatch(); });
    std::unique_ptr<QSocketNotifier> desktopWindows;
    std::unique_ptr<QSocketNotifier> browserWindows;

    Client client(Platform{
        clock, timers, store, system, codec, files, dialogs, shell, screen, desktop, tcp, udp,
        headless ? static_cast<ShellLock&>(headlessLock) : shellLock, mixer, browsers, traces});
    lockLibraryLog = &client.context().log;
    shellLock.setLogSink(logLockLibraryLine);
    lendLockWindows(shellLock, nullptr);
    client.Main(commandLine(argc, argv));
    if (ended) {
        // A second copy ends on purpose: the guard must not take it for a killed client.
        guard.farewell();
        return 0;
    }
    if (headless) {
        client.context().log.subWriteLog("offscreen: no screen, so the shell lock is not used");
    }
    // After start-up, so that the first look at the models sees them started.
    fontConfig.wait();
    FrontEnd frontEnd(client, application);
    lendLockWindows(shellLock, &frontEnd);
    QObject::connect(&frontEnd, &FrontEnd::lockWindowsChanged,
                     [&shellLock, &frontEnd] { lendLockWindows(shellLock, &frontEnd); });
    afterFirstPicture(frontEnd, [&] {
        // The window lists hear of the display's changes as they come, never piling them
        // up; asking for their connections opens them, unless the engine needed one sooner.
        desktopWindows =
            watchReadable(desktop.windowEventsFd(), [&desktop] { desktop.takeWindowEvents(); });
        browserWindows =
            watchReadable(browsers.windowEventsFd(), [&browsers] { browsers.takeWindowEvents(); });
        mixer.markReady();
        EngineActivity::note();
    });

    // Demos and end-to-end tests stop the client after a while (never a switch: the
    // command line is searched for switches).
    if (const auto quitAfter = InstallLayout::override("ORVAN_QUIT_AFTER_MS"); !quitAfter.empty()) {
        QTimer::singleShot(static_cast<int>(std::strtol(quitAfter.c_str(), nullptr, 10)),
                           [&client] {
                               client.startup().funShutdownApplication(true);
                               EngineActivity::note();
                           });
    }
    if (!guardSocket.empty() && !guarded) {
        client.context().log.subWriteLog("The guard service is not listening at " + guardSocket +
                                         ": registering as soon as it is");
    }
    // The guard hears from the thread of its own only while the event loop turns.
    QTimer loopTurns;
    QObject::connect(&loopTurns, &QTimer::timeout, [&guard] { guard.loopTurned(); });
    loopTurns.start(1000);
    const int status = QApplication::exec();
    guard.farewell();
    return status;
}
