// Footprint: the client's memory and processor time beside a bare Qt Widgets program
// (a full-screen label and a 100 ms timer), both running at once, each on a private
// Xvfb of its own, read from /proc over the same windows of time: idle on the lock
// screen, then during a card session the stand-in server opens (lock screen hidden,
// status window shown). Each phase ends with where the resident memory lies (the heap,
// other anonymous memory, shared memory, mapped files), to tell what to look at first.

#include "Figures.h"
#include "ProcFootprint.h"
#include "ScratchFolder.h"
#include "ServerConsole.h"
#include "StartupRun.h"
#include "StartupSettings.h"
#include "XProbe.h"
#include "XvfbDisplay.h"

#include <array>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace orvan;
using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

// Start-up's own allocations and first drawing are over by then.
constexpr auto kSettle = 3s;
constexpr auto kWindow = 20s;
constexpr auto kSampleEvery = 1s;
constexpr auto kBound = 15s;

struct Watched {
    std::vector<double> rss, pss, privateMib;
    double cpuSeconds = 0;
    bench::ProcFootprint::Breakdown where;
    bool complete = true;
};

// Samples each program once a second over the window: memory as the median of the
// samples, processor time as what was used between the first and the last.
std::array<Watched, 2> watch(const std::array<pid_t, 2>& pids) {
    std::array<Watched, 2> result;
    std::array<bench::ProcFootprint::Sample, 2> first{};
    std::array<bench::ProcFootprint::Sample, 2> last{};
    const auto start = Steady::now();
    for (int i = 0; Steady::now() - start <= kWindow; ++i) {
        for (std::size_t p = 0; p < pids.size(); ++p) {
            const auto sample = bench::ProcFootprint::read(pids[p]);
            if (!sample) {
                result[p].complete = false;
                continue;
            }
            (i == 0 ? first[p] : last[p]) = *sample;
            result[p].rss.push_back(sample->rssMib);
            result[p].pss.push_back(sample->pssMib);
            result[p].privateMib.push_back(sample->privateMib);
        }
        std::this_thread::sleep_until(start + (i + 1) * kSampleEvery);
    }
    for (std::size_t p = 0; p < pids.size(); ++p) {
        result[p].cpuSeconds = last[p].cpuSeconds - first[p].cpuSeconds;
        result[p].where = bench::ProcFootprint::breakdown(pids[p]).value_or(result[p].where);
    }
    return result;
}

double median(const std::vector<double>& samples) {
    return bench::Figures::of(samples).median;
}

void printRow(const char* name, const Watched& w) {
    std::printf("  %-28s %8.1f %8.1f %8.1f %8.2f%s\n", name, median(w.rss), median(w.pss),
                median(w.privateMib), w.cpuSeconds, w.complete ? "" : "  (process ended)");
}

double ratio(double client, double bare) {
    return bare > 0 ? client / bare : 0;
}

void printWhere(const char* name, const bench::ProcFootprint::Breakdown& where) {
    std::printf("  %-28s %8.1f %8.1f %8.1f %8.1f %8.1f\n", name, where.heap, where.anonymous,
                where.shared, where.files, where.other);
}

void printPhase(const char* title, const std::array<Watched, 2>& w) {
    std::printf("%s\n", title);
    printRow("client", w[0]);
    printRow("bare Qt label + 100 ms timer", w[1]);
    std::printf("  %-28s %8.2f %8.2f %8.2f %8.2f\n", "ratio client / bare",
                ratio(median(w[0].rss), median(w[1].rss)),
                ratio(median(w[0].pss), median(w[1].pss)),
                ratio(median(w[0].privateMib), median(w[1].privateMib)),
                ratio(w[0].cpuSeconds, w[1].cpuSeconds));
    std::printf("  RSS at the end, in MiB:      %8s %8s %8s %8s %8s\n", "heap", "anon", "shared",
                "files", "other");
    printWhere("client", w[0].where);
    printWhere("bare Qt label + 100 ms timer", w[1].where);
}

template <typename Condition>
bool waitUntil(Condition condition) {
    const auto deadline = Steady::now() + kBound;
    while (!condition()) {
        if (Steady::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::vector<std::string> environmentFor(const bench::XvfbDisplay& display,
                                        const std::string& folder) {
    return bench::environmentWith({"DISPLAY=" + display.name(), "QT_QPA_PLATFORM=xcb",
                                   "ORVAN_COMMON_APPDATA=" + folder + "/appdata",
                                   "XDG_CONFIG_HOME=" + folder + "/config"});
}

int fail(const char* what, const bench::ServerConsole* server = nullptr) {
    std::fprintf(stderr, "footprint: %s\n", what);
    if (server != nullptr) {
        std::fprintf(stderr, "the server's output:\n%s\n", server->output().c_str());
    }
    return 1;
}

} // namespace

int main() {
    bench::ScratchFolder scratch("orvan-footprint");
    bench::ServerConsole server(ORVAN_SERVER_PROGRAM, scratch.path());
    if (server.tcpPort() == 0) {
        return fail("the stand-in server did not start", &server);
    }
    const auto& folder = scratch.path();
    if (!bench::writeLockedStartSettings(folder + "/appdata", folder + "/config",
                                         server.tcpPort())) {
        return fail("cannot write the client's settings");
    }
    bench::XvfbDisplay clientDisplay;
    bench::XvfbDisplay bareDisplay;
    const auto clientScreen = bench::XProbe::open(clientDisplay.name());
    const auto bareScreen = bench::XProbe::open(bareDisplay.name());
    if (clientScreen == nullptr || bareScreen == nullptr) {
        return fail("Xvfb did not start (package xvfb)");
    }
    bench::ChildProgram client({ORVAN_CLIENT_PROGRAM}, environmentFor(clientDisplay, folder),
                               folder + "/client.txt");
    bench::ChildProgram bare({ORVAN_BARE_PROGRAM}, environmentFor(bareDisplay, folder),
                             folder + "/bare.txt");
    if (!waitUntil([&] { return bareScreen->coveringWindowShown(); })) {
        return fail("the bare program showed no full-screen window");
    }
    if (!waitUntil([&] { return clientScreen->coveringWindowShown(); }) ||
        !server.waitFor("WorkstationState 2", kBound)) {
        return fail("the client did not connect and show its lock screen", &server);
    }
    std::this_thread::sleep_for(kSettle);
    const auto idle = watch({client.pid(), bare.pid()});

    server.type("open 1 card 123456");
    if (!server.waitFor("WorkstationState 6", kBound) ||
        !waitUntil([&] { return !clientScreen->coveringWindowShown(); })) {
        return fail("no card session, or the lock screen stayed", &server);
    }
    std::this_thread::sleep_for(kSettle);
    const auto session = watch({client.pid(), bare.pid()});

    std::printf("footprint on private Xvfb servers %dx%d: memory in MiB (medians of samples "
                "every second), CPU in seconds over %lld s\n",
                bench::XvfbDisplay::kWidth, bench::XvfbDisplay::kHeight,
                static_cast<long long>(kWindow.count()));
    std::printf("  %-28s %8s %8s %8s %8s\n", "", "RSS", "PSS", "private", "CPU");
    printPhase("idle on the lock screen", idle);
    printPhase("card session (lock screen hidden, status window shown)", session);
    return 0;
}
