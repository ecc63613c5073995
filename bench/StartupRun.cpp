#include "StartupRun.h"

#include "ScratchFolder.h"
#include "StartupSettings.h"
#include "XProbe.h"
#include "XvfbDisplay.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace orvan::bench {

namespace {

using Steady = std::chrono::steady_clock;

std::string tail(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    auto all = text.str();
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

std::vector<char*> nullTerminated(const std::vector<std::string>& words) {
    std::vector<char*> result;
    for (const auto& word : words) {
        result.push_back(const_cast<char*>(word.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

std::vector<std::string> environmentWith(const std::vector<std::string>& overrides, char** base) {
    std::vector<std::string> result;
    for (char** entry = base; entry != nullptr && *entry != nullptr; ++entry) {
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

ChildProgram::ChildProgram(const std::vector<std::string>& command,
                           const std::vector<std::string>& environment, const std::string& output,
                           std::chrono::milliseconds grace, const std::string& input)
    : grace_(grace) {
    if (command.empty()) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    auto argv = nullTerminated(command);
    auto env = nullTerminated(environment);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), env.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

ChildProgram::~ChildProgram() {
    stop();
}

bool ChildProgram::exited() {
    if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
    }
    return pid_ <= 0;
}

void ChildProgram::stop() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    const auto deadline = Steady::now() + grace_;
    while (Steady::now() < deadline) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::optional<double> millisToFullScreenWindow(const StartupCase& program,
                                               std::chrono::milliseconds bound) {
    // A fresh server each time: the client changes the keymap options at its first
    // lock, and a server that had them changed already would spare it that work.
    XvfbDisplay display;
    const auto probe = display.running() ? XProbe::open(display.name()) : nullptr;
    if (probe == nullptr) {
        std::fprintf(stderr, "Xvfb did not start (package xvfb)\n");
        return std::nullopt;
    }
    ScratchFolder scratch("orvan-startup");
    const auto appData = scratch.path() + "/appdata";
    const auto config = scratch.path() + "/config";
    if (program.clientSettings && !writeLockedStartSettings(appData, config)) {
        std::fprintf(stderr, "cannot write the settings under %s\n", scratch.path().c_str());
        return std::nullopt;
    }
    std::vector<std::string> overrides{"DISPLAY=" + display.name(), "QT_QPA_PLATFORM=xcb",
                                       "ORVAN_COMMON_APPDATA=" + appData,
                                       "XDG_CONFIG_HOME=" + config};
    overrides.insert(overrides.end(), program.environment.begin(), program.environment.end());
    const auto environment = environmentWith(overrides);
    const auto output = scratch.path() + "/output.txt";

    const auto started = Steady::now();
    ChildProgram child(program.command, environment, output);
    if (!child.started()) {
        std::fprintf(stderr, "cannot start %s\n", program.title.c_str());
        return std::nullopt;
    }
    while (Steady::now() - started < bound) {
        if (probe->coveringWindowShown()) {
            return std::chrono::duration<double, std::milli>(Steady::now() - started).count();
        }
        if (child.exited()) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "%s showed no full-screen window; its output:\n%s\n",
                 program.title.c_str(), tail(output).c_str());
    return std::nullopt;
}

} // namespace orvan::bench
