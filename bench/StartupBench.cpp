// Start-up: from spawning the program until a viewable top-level window covers the
// screen, for the client (settings that start it locked, no server about) beside a
// bare Qt Widgets program that shows one full-screen window. Each run gets a fresh
// private Xvfb: the client changes the server's keymap options at its first lock,
// and a reused server would spare later runs that work. The display is looked at
// every millisecond from the benchmark's own connection.

#include "Figures.h"
#include "StartupSettings.h"
#include "XProbe.h"
#include "XvfbDisplay.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace orvan;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kRuns = 10;
constexpr std::chrono::seconds kBound{10};

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "orvan-startup-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) {
            fs::remove_all(path_, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The harness's environment with `overrides` ("NAME=value") in place of their names.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string line{*entry};
        const auto name = line.substr(0, line.find('=') + 1);
        bool replaced = false;
        for (const auto& o : overrides) {
            replaced = replaced || o.compare(0, name.size(), name) == 0;
        }
        if (!replaced) {
            result.push_back(line);
        }
    }
    result.insert(result.end(), overrides.begin(), overrides.end());
    return result;
}

// A program started here, stopped by its process id: politely, then for good.
class Child {
public:
    Child(const std::vector<std::string>& command, const std::vector<std::string>& environment,
          const std::string& output) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<char*> env;
        for (const auto& line : environment) {
            env.push_back(const_cast<char*>(line.c_str()));
        }
        env.push_back(nullptr);
        std::vector<char*> argv;
        for (const auto& word : command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), env.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() {
        if (pid_ <= 0) {
            return;
        }
        kill(pid_, SIGTERM);
        for (int tries = 0; tries < 200; ++tries) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    bool exited() {
        if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
        }
        return pid_ <= 0;
    }

private:
    pid_t pid_ = -1;
};

std::string tail(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    auto all = text.str();
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

struct Program {
    const char* title;
    std::vector<std::string> command;
    bool withSettings; // the client's: start locked, no server
    std::vector<std::string> environment;
};

// Milliseconds from spawn to the covering window; none when it did not come.
std::optional<double> runOnce(const Program& program) {
    bench::XvfbDisplay display;
    const auto probe = display.running() ? bench::XProbe::open(display.name()) : nullptr;
    if (probe == nullptr) {
        std::fprintf(stderr, "Xvfb did not start (package xvfb)\n");
        return std::nullopt;
    }
    ScratchFolder scratch;
    const auto appData = scratch.path() + "/appdata";
    const auto config = scratch.path() + "/config";
    if (program.withSettings && !bench::writeLockedStartSettings(appData, config)) {
        std::fprintf(stderr, "cannot write the settings under %s\n", scratch.path().c_str());
        return std::nullopt;
    }
    std::vector<std::string> overrides{"DISPLAY=" + display.name(), "QT_QPA_PLATFORM=xcb",
                                       "ORVAN_COMMON_APPDATA=" + appData,
                                       "XDG_CONFIG_HOME=" + config};
    overrides.insert(overrides.end(), program.environment.begin(), program.environment.end());
    const auto environment = environmentWith(overrides);
    const auto output = scratch.path() + "/output.txt";

    const auto started = Clock::now();
    Child child(program.command, environment, output);
    if (!child.started()) {
        std::fprintf(stderr, "cannot start %s\n", program.command.front().c_str());
        return std::nullopt;
    }
    while (Clock::now() - started < kBound) {
        if (probe->coveringWindowShown()) {
            return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        }
        if (child.exited()) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "%s showed no full-screen window; its output:\n%s\n", program.title,
                 tail(output).c_str());
    return std::nullopt;
}

void print(const char* name, const std::vector<double>& samples, int failed) {
    const auto f = bench::Figures::of(samples);
    std::printf("  %-40s %7.1f %7.1f %7.1f ms  (%zu runs, %d without a window)\n", name, f.median,
                f.p90, f.worst, f.count, failed);
}

} // namespace

int main() {
    const std::string client = ORVAN_CLIENT_PROGRAM;
    const std::string bare = ORVAN_BARE_PROGRAM;
    // The first two are the comparison asked for; the others tell where the
    // difference goes: the font set-up any text costs, and the keymap change of the
    // first lock (with setxkbmap not found, the library reports it and goes on).
    const std::vector<Program> programs{
        {"bare Qt Widgets window", {bare}, false, {}},
        {"client's lock screen", {client}, true, {}},
        {"  bare window with a line of text", {bare, "--text"}, false, {}},
        {"  client without setxkbmap (what if)", {client}, true, {"PATH=/nonexistent"}},
    };
    // One unmeasured run of each: the libraries come into the page cache for all alike.
    for (const auto& program : programs) {
        runOnce(program);
    }
    std::vector<std::vector<double>> times(programs.size());
    std::vector<int> failed(programs.size());
    for (int i = 0; i < kRuns; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            if (const auto t = runOnce(programs[p])) {
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
