// Start-up: from spawning the program until a viewable top-level window covers the
// screen, for the client (settings that start it locked, no server about) beside a
// bare Qt Widgets program that shows one full-screen window, each run on a fresh
// private Xvfb (see StartupRun.h).

#include "Figures.h"
#include "StartupRun.h"
#include "XvfbDisplay.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace orvan;

constexpr int kRuns = 10;

void print(const std::string& name, const std::vector<double>& samples, int failed) {
    const auto f = bench::Figures::of(samples);
    std::printf("  %-40s %7.1f %7.1f %7.1f ms  (%zu runs, %d without a window)\n", name.c_str(),
                f.median, f.p90, f.worst, f.count, failed);
}

} // namespace

int main() {
    const std::string client = ORVAN_CLIENT_PROGRAM;
    const std::string bare = ORVAN_BARE_PROGRAM;
    // The first two are the comparison; the others tell where the difference goes:
    // the font set-up any text costs, and the keymap change of the first lock (with
    // setxkbmap not found, the lock library reports it and goes on).
    const std::vector<bench::StartupCase> programs{
        {"bare Qt Widgets window", {bare}, false, {}},
        {"client's lock screen", {client}, true, {}},
        {"  bare window with a line of text", {bare, "--text"}, false, {}},
        {"  client without setxkbmap (what if)", {client}, true, {"PATH=/nonexistent"}},
    };
    // One unmeasured run of each: the libraries come into the page cache for all alike.
    for (const auto& program : programs) {
        bench::millisToFullScreenWindow(program);
    }
    std::vector<std::vector<double>> times(programs.size());
    std::vector<int> failed(programs.size());
    for (int i = 0; i < kRuns; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            if (const auto t = bench::millisToFullScreenWindow(programs[p])) {
                times[p].push_back(*t);
            } else {
                ++failed[p];
            }
        }
    }
    std::printf("start-up to a full-screen window on a private Xvfb %dx%d, %d runs each\n",
                bench::XvfbDisplay::kWidth, bench::XvfbDisplay::kHeight, kRuns);
    std::printf("  %-40s %7s %7s %7s\n", "", "median", "p90", "worst");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        print(programs[p].title, times[p], failed[p]);
    }
    const auto bareMedian = bench::Figures::of(times[0]).median;
    const auto clientMedian = bench::Figures::of(times[1]).median;
    if (clientMedian > 0 && bareMedian > 0) {
        std::printf("  ratio of medians, client / bare: %.2f\n", clientMedian / bareMedian);
    }
    return 0;
}
