#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvan::winlock {

namespace {

using Clock = std::chrono::steady_clock;

// The exit status, or nullopt once the bound has passed with the child running.
std::optional<int> waitFor(pid_t pid, Clock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return status;
        }
        if (done < 0 && errno != EINTR) {
            return -1;
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// What the child inherits: the display, how to authenticate to it, and a fixed PATH.
std::vector<std::string> cleanEnvironment() {
    std::vector<std::string> environment{"PATH=/usr/bin:/bin", "LC_ALL=C"};
    for (const char* name : {"DISPLAY", "XAUTHORITY", "HOME"}) {
        if (const char* value = std::getenv(name)) {
            environment.push_back(std::string{name} + "=" + value);
        }
    }
    return environment;
}

std::vector<char*> pointers(const std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (const auto& text : strings) {
        result.push_back(const_cast<char*>(text.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

std::string ChildProcess::find(const std::vector<std::string>& candidates) {
    for (const auto& path : candidates) {
        if (!path.empty() && path.front() == '/' && access(path.c_str(), X_OK) == 0) {
            return path;
        }
    }
    return {};
}

ChildProcess::Outcome ChildProcess::run(const std::vector<std::string>& command,
                                        std::chrono::milliseconds bound) {
    const auto started = start(command);
    return started.running() ? finish(started.pid, bound) : started.outcome;
}

ChildProcess::Started ChildProcess::start(const std::vector<std::string>& command) {
    if (command.empty() || command.front().empty() || command.front().front() != '/') {
        return {-1, Outcome::NotFound};
    }
    auto argv = pointers(command);
    const auto environment = cleanEnvironment();
    auto envp = pointers(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return {-1, error == ENOENT ? Outcome::NotFound : Outcome::Failed};
    }
    return {pid, Outcome::Succeeded};
}

ChildProcess::Outcome ChildProcess::finish(pid_t pid, std::chrono::milliseconds bound) {
    const auto status = waitFor(pid, Clock::now() + bound);
    if (!status) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return Outcome::TimedOut;
    }
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? Outcome::Succeeded : Outcome::Failed;
}

} // namespace orvan::winlock
