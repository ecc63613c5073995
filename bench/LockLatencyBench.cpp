// Lock latency: from the engine's move into a blocked state until another client of
// the display finds the lock window viewable and the keyboard taken. A private Xvfb,
// a client on the test fakes except for the real lock library, and the real front end
// on Qt's xcb platform, with the lock windows lent to the library as the program does.
// Between cycles the workstation is let go as when a session starts. The keymap change
// comes after the window is up, off the lock call: when another client sees it is
// printed too, and so is when it first sees the window's paint on the display.

#include "BlockWindow.h"
#include "DlShellLock.h"
#include "EngineActivity.h"
#include "Figures.h"
#include "FrontEnd.h"
#include "TimedShellLock.h"
#include "XProbe.h"
#include "XvfbDisplay.h"
#include "client/Client.h"
#include "support/FakePlatform.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using namespace orvan;
using Steady = std::chrono::steady_clock;

constexpr int kCycles = 100;
constexpr std::chrono::milliseconds kBound{2000};
constexpr std::chrono::milliseconds kSettle{50};
constexpr const char* kGeneral = "Software\\OrvanetixClient\\General";

double millisBetween(Steady::time_point from, Steady::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// When the front end showed the lock window: Qt's show event, sent as show() begins,
// and the end of the front end's first sync that left the window visible.
class ShowWatch : public QObject {
public:
    explicit ShowWatch(QWidget& window)
        : window_(window) {
        window_.installEventFilter(this);
        // Connected after the front end's own sync, so called once it has run.
        if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                if (window_.isVisible() && !syncedAt) {
                    syncedAt = Steady::now();
                }
            });
        }
    }
    ~ShowWatch() override { window_.removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !shownAt) {
            shownAt = Steady::now();
        }
        return QObject::eventFilter(watched, event);
    }

    void reset() {
        shownAt.reset();
        syncedAt.reset();
    }

    std::optional<Steady::time_point> shownAt;
    std::optional<Steady::time_point> syncedAt;

private:
    QWidget& window_;
};

// Runs the event loop as the program's own runs (it blocks between events, so the
// front end syncs before each wait) and looks at the display every millisecond
// until `done` holds or the bound passes. The moment it was seen to hold, if it did.
template <typename Done>
std::optional<Steady::time_point> runUntil(Done done, std::chrono::milliseconds bound) {
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    std::optional<Steady::time_point> seen;
    const auto deadline = Steady::now() + bound;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (done()) {
            seen = Steady::now();
            loop.quit();
        } else if (Steady::now() >= deadline) {
            loop.quit();
        }
    });
    tick.start();
    loop.exec();
    return seen;
}

void lendLockWindows(DlShellLock& library, const FrontEnd& frontEnd) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    std::vector<std::uint32_t> windows;
    for (const auto id : frontEnd.lockWindowIds()) {
        windows.push_back(static_cast<std::uint32_t>(id));
    }
    if (x11 == nullptr || !library.attachLockWindows(x11->connection(), windows)) {
        std::fprintf(stderr, "the lock windows could not be lent to the library\n");
    }
}

void print(const char* name, const std::vector<double>& samples) {
    const auto f = bench::Figures::of(samples);
    std::printf("  %-38s %7.1f %7.1f %7.1f ms  (%zu)\n", name, f.median, f.p90, f.worst, f.count);
}

struct Rig {
    Client& client;
    FrontEnd& frontEnd;
    bench::TimedShellLock& timed;
    const bench::XProbe& probe;
    // A patch of the window's background as the painted lock screen shows it.
    std::vector<std::uint8_t> painted;

    xcb_window_t lockWindow() const {
        return static_cast<xcb_window_t>(frontEnd.lockWindowIds().front());
    }
    // The left edge halfway down: the window's own background, beside the box and
    // between the bands, in every state.
    std::vector<std::uint8_t> patch() const {
        return probe.pixels(lockWindow(), 0, bench::XvfbDisplay::kHeight / 2, kPatch, kPatch);
    }
    bool paintShown() const { return !painted.empty() && patch() == painted; }

    static constexpr std::uint16_t kPatch = 4;
};

// Samples of one series of cycles, in milliseconds from the move into the blocked state.
struct Series {
    std::vector<double> total, refresh, shownByQt, syncDone, firstLook, looks, seenViewable,
        keysOff, painted, release;
    std::array<std::vector<double>, 4> exports;
    int missed = 0;
    int heldOnReturn = 0;
    // The window showed the painted patch before its first paint (the measure is void).
    int paintedWhenViewable = 0;
};

// After the lock: when the keymap change and the first paint reach the display.
void watchAfterLock(const Rig& rig, Steady::time_point t0, Series& series) {
    std::optional<double> keysOff, painted;
    runUntil(
        [&] {
            if (!keysOff && rig.probe.serverKeysOff()) {
                keysOff = millisBetween(t0, Steady::now());
            }
            if (!painted && rig.paintShown()) {
                painted = millisBetween(t0, Steady::now());
            }
            return keysOff && painted;
        },
        kBound);
    if (keysOff) {
        series.keysOff.push_back(*keysOff);
    }
    if (painted) {
        series.painted.push_back(*painted);
    }
}

Series runCycles(Rig& rig) {
    auto& workstation = rig.client.context().workstation;
    const auto& probe = rig.probe;
    ShowWatch watch(*rig.frontEnd.blockWindows().front());
    Series series;
    for (int i = 0; i < kCycles; ++i) {
        // A session starts: the lock screen goes and the shell comes back.
        workstation.setState(Workstation::kConnected);
        const auto releasing = Steady::now();
        rig.client.lockScreen().release();
        // Called here, not through one of the adapters that tell the front end.
        EngineActivity::note();
        series.release.push_back(millisBetween(releasing, Steady::now()));
        // Until the unlock is complete: the user's keymap is given back in the background.
        if (!runUntil(
                [&] {
                    return !probe.viewable(rig.lockWindow()) && !probe.keyboardHeldElsewhere() &&
                           !probe.serverKeysOff();
                },
                kBound)) {
            std::fprintf(stderr, "cycle %d: the lock did not go away\n", i + 1);
        }
        runUntil([] { return false; }, kSettle);
        rig.timed.take();
        watch.reset();

        const auto t0 = Steady::now();
        workstation.setState(Workstation::kBlocked);
        rig.client.lockScreen().refresh();
        EngineActivity::note();
        const auto returned = Steady::now();
        series.refresh.push_back(millisBetween(t0, returned));
        // One look before the event loop runs: is the grab in place already?
        series.heldOnReturn += probe.keyboardHeldElsewhere() ? 1 : 0;
        std::optional<double> viewableAt, firstLook;
        int looks = 0;
        const auto t1 = runUntil(
            [&] {
                ++looks;
                if (!firstLook) {
                    firstLook = millisBetween(t0, Steady::now());
                }
                const bool shown = probe.viewable(rig.lockWindow());
                if (shown && !viewableAt) {
                    viewableAt = millisBetween(t0, Steady::now());
                }
                return shown && probe.keyboardHeldElsewhere();
            },
            kBound);
        series.paintedWhenViewable += t1 && rig.paintShown() ? 1 : 0;
        watchAfterLock(rig, t0, series);
        const auto spent = rig.timed.take();
        for (std::size_t e = 0; e < spent.size(); ++e) {
            series.exports[e].push_back(spent[e]);
        }
        if (t1) {
            series.total.push_back(millisBetween(t0, *t1));
        } else {
            ++series.missed;
        }
        series.firstLook.push_back(firstLook.value_or(0));
        series.looks.push_back(looks);
        if (viewableAt) {
            series.seenViewable.push_back(*viewableAt);
        }
        if (watch.shownAt) {
            series.shownByQt.push_back(millisBetween(t0, *watch.shownAt));
        }
        if (watch.syncedAt) {
            series.syncDone.push_back(millisBetween(t0, *watch.syncedAt));
        }
    }
    return series;
}

void report(const Series& series) {
    std::printf("  %-38s %7s %7s %7s\n", "", "median", "p90", "worst");
    print("blocked -> viewable and grabbed", series.total);
    std::printf("  not locked within %lld ms: %d of %d\n", static_cast<long long>(kBound.count()),
                series.missed, kCycles);
    std::printf("  where the time goes:\n");
    for (const auto which :
         {ShellLock::Export::TaskSwitching_Enable_Disable,
          ShellLock::Export::CtrlAltDel_Enable_Disable, ShellLock::Export::Desktop_Show_Hide,
          ShellLock::Export::Taskbar_Show_Hide}) {
        const std::string name = std::string{"  in "} + ShellLock::name(which) + "(0)";
        print(name.c_str(), series.exports[static_cast<std::size_t>(which)]);
    }
    print("engine's refresh() returned", series.refresh);
    std::printf("    keyboard already taken when it returned: %d of %d\n", series.heldOnReturn,
                kCycles);
    print("show() began (Qt's show event)", series.shownByQt);
    print("front end's sync() done", series.syncDone);
    print("first look at the display", series.firstLook);
    print("window first seen viewable", series.seenViewable);
    const auto looks = bench::Figures::of(series.looks);
    std::printf("    looks needed: median %.0f, worst %.0f\n", looks.median, looks.worst);
    print("keymap change seen (srvrkeys:none)", series.keysOff);
    print("first paint seen on the display", series.painted);
    std::printf("    painted already when first seen viewable: %d of %d\n",
                series.paintedWhenViewable, kCycles);
    print("release() for comparison (unlock)", series.release);
}

} // namespace

int main(int argc, char** argv) {
    // The keymap changes make the server fork: with a private framebuffer the first
    // paint after each would be the server's copy-on-write faults, not the client's.
    bench::XvfbDisplay display(bench::XvfbDisplay::Framebuffer::Shared);
    if (!display.running()) {
        std::fprintf(stderr, "Xvfb did not start (package xvfb)\n");
        return 1;
    }
    setenv("DISPLAY", display.name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const auto probe = bench::XProbe::open(display.name());
    if (probe == nullptr) {
        std::fprintf(stderr, "cannot reach the private display %s\n", display.name().c_str());
        return 1;
    }

    test::FakePlatform fake;
    fake.time.setBoot(5 * 60 * 1000);
    fake.store.putString(kGeneral, "Config Wizard", "1");
    fake.store.write(Hive::User, kGeneral, "Config Wizard", std::string{"1"});
    fake.store.putString(kGeneral, "Current Settings Version", "4");
    for (const char* name : {"orvanclient_gb", "orvanclient_th"}) {
        QFile pack(QStringLiteral(ORVAN_LANG_FOLDER "/%1.lang").arg(QLatin1String(name)));
        if (pack.open(QIODevice::ReadOnly)) {
            fake.files.write(std::string{"/program/"} + name + ".lang",
                             pack.readAll().toStdString());
        }
    }
    DlShellLock library(ORVAN_WINLOCK_FOLDER);
    if (!library.loaded()) {
        std::fprintf(stderr, "the lock library did not load: %s\n", library.loadError().c_str());
        return 1;
    }
    bench::TimedShellLock timed(library);
    auto platform = fake.platform();
    Client client(Platform{platform.clock, platform.timers, platform.store, platform.system,
                           platform.codec, platform.files, platform.dialogs, platform.shell,
                           platform.screen, platform.desktop, platform.wskCli,
                           platform.wskFindServer, timed, platform.mixer, platform.browsers,
                           platform.traces});
    client.Main("");
    FrontEnd frontEnd(client, application);
    lendLockWindows(library, frontEnd);
    QObject::connect(&frontEnd, &FrontEnd::lockWindowsChanged,
                     [&] { lendLockWindows(library, frontEnd); });
    Rig rig{client, frontEnd, timed, *probe, {}};
    if (!runUntil(
            [&] { return probe->viewable(rig.lockWindow()) && probe->keyboardHeldElsewhere(); },
            kBound)) {
        std::fprintf(stderr, "the client did not lock at start-up\n");
    }
    // Long past the first paint: what the lock screen shows at the patch.
    runUntil([] { return false; }, kSettle * 4);
    rig.painted = rig.patch();
    if (rig.painted.empty()) {
        std::fprintf(stderr, "the lock window's paint cannot be read: no paint figure\n");
    }
    const auto series = runCycles(rig);

    std::printf("lock latency on a private Xvfb %dx%d, %d cycles, seen from another client\n",
                bench::XvfbDisplay::kWidth, bench::XvfbDisplay::kHeight, kCycles);
    report(series);
    return 0;
}
