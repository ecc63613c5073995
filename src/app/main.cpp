// The workstation client: builds the Linux and Qt adapters, hands them to the engine
// and runs the event loop.

#include "DlShellLock.h"
#include "FrontEnd.h"
#include "HomeTraces.h"
#include "IconvAnsiCodec.h"
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
#include <iostream>
#include <string>

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

std::string userConfigFolder() {
    const auto xdg = environment("XDG_CONFIG_HOME");
    return !xdg.empty() && xdg.front() == '/' ? xdg : environment("HOME") + "/.config";
}

// The lock library reports from a thread of its own: the line is carried over to the
// event loop's thread before it reaches the log. The log lives as long as the loop.
orvan::Log* lockLibraryLog = nullptr;

void logLockLibraryLine(const char* line) {
    QMetaObject::invokeMethod(
        qApp, [text = std::string{line}] { lockLibraryLog->subWriteLog("winlock: " + text); },
        Qt::QueuedConnection);
}

// Grabs taken on the lock windows' own connection let the customer type into them.
void lendLockWindows(orvan::DlShellLock& shellLock, const orvan::FrontEnd& frontEnd) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return;
    }
    std::vector<std::uint32_t> windows;
    for (const auto id : frontEnd.lockWindowIds()) {
        windows.push_back(static_cast<std::uint32_t>(id));
    }
    shellLock.attachLockWindows(x11->connection(), windows);
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
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    using namespace orvan;
    const std::string appKey{StringTable::text(10006)};
    LinuxSystemInfo system;
    LinuxClock clock;
    QtTimers timers;
    RegistryFileStore store(system.commonAppDataFolder() + "/" + appKey + "/machine.reg",
                            userConfigFolder() + "/" + appKey + "/user.reg");
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
    X11Browsers browsers;
    HomeTraces traces(environment("HOME"), system.commonAppDataFolder() + "/" + appKey);
    DlShellLock shellLock(system.programFolder());
    LinuxMixer mixer;
    QtTcpSocket tcp;
    QtUdpSocket udp;

    QSocketNotifier timeChanges(clock.timeChangeFd(), QSocketNotifier::Read);
    timeChanges.setEnabled(clock.timeChangeFd() >= 0);
    QObject::connect(&timeChanges, &QSocketNotifier::activated,
                     [&clock] { clock.onTimeChangeFdReadable(); });

    Client client(Platform{clock, timers, store, system, codec, files, dialogs, shell, screen,
                           desktop, tcp, udp, shellLock, mixer, browsers, traces});
    lockLibraryLog = &client.context().log;
    shellLock.setLogSink(logLockLibraryLine);
    client.Main(commandLine(argc, argv));
    if (ended) {
        return 0;
    }
    // After start-up, so that the first look at the models sees them started.
    FrontEnd frontEnd(client, application);
    lendLockWindows(shellLock, frontEnd);
    QObject::connect(&frontEnd, &FrontEnd::lockWindowsChanged,
                     [&shellLock, &frontEnd] { lendLockWindows(shellLock, frontEnd); });

    // Demos and end-to-end tests stop the client after a while (never a switch: the
    // command line is searched for switches).
    if (const auto quitAfter = environment("ORVAN_QUIT_AFTER_MS"); !quitAfter.empty()) {
        QTimer::singleShot(static_cast<int>(std::strtol(quitAfter.c_str(), nullptr, 10)),
                           [&client] { client.startup().funShutdownApplication(true); });
    }
    return QApplication::exec();
}
