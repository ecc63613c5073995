#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

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

} // namespace

ChildProcess::Outcome ChildProcess::run(const std::vector<std::string>& command,
                                        std::chrono::milliseconds bound) {
    std::vector<char*> argv;
    for (const auto& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return error == ENOENT ? Outcome::NotFound : Outcome::Failed;
    }

    const auto status = waitFor(pid, Clock::now() + bound);
    if (!status) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return Outcome::TimedOut;
    }
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? Outcome::Succeeded : Outcome::Failed;
}

} // namespace orvan::winlock
