#include "HelperProcess.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvan {
namespace {

// The "pid N" line the helper writes before "ready"; -1 when it never gets there.
pid_t readPid(int fd) {
    std::string text;
    pollfd readable{fd, POLLIN, 0};
    char c = 0;
    while (text.find("ready\n") == std::string::npos && poll(&readable, 1, 5000) == 1 &&
           read(fd, &c, 1) == 1) {
        text += c;
    }
    const auto at = text.find("pid ");
    if (at == std::string::npos || text.find("ready\n") == std::string::npos) {
        return -1;
    }
    return static_cast<pid_t>(std::stol(text.substr(at + 4)));
}

[[noreturn]] void becomeHelper(const HelperProcess::Start& start, int writeEnd) {
    dup2(writeEnd, 1);
    if (start.uid != static_cast<uid_t>(-1) && (setgid(start.uid) != 0 || setuid(start.uid) != 0)) {
        _exit(126);
    }
    std::vector<std::string> arguments{start.program};
    arguments.insert(arguments.end(), start.arguments.begin(), start.arguments.end());
    if (start.detach) {
        arguments.emplace_back("--detach");
    }
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

} // namespace

HelperProcess::HelperProcess(const Start& start)
    : detached_(start.detach) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    child_ = fork();
    if (child_ == 0) {
        close(fds[0]);
        becomeHelper(start, fds[1]);
    }
    close(fds[1]);
    pid_ = readPid(fds[0]);
    close(fds[0]);
    if (detached_ && child_ > 0) {
        waitpid(child_, nullptr, 0); // the go-between has left
    }
}

HelperProcess::~HelperProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
    }
    if (!detached_ && child_ > 0) {
        waitpid(child_, nullptr, 0);
    }
}

bool HelperProcess::alive() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    if (pid_ <= 0 || !std::getline(stat, line)) {
        return false;
    }
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

bool HelperProcess::endsSoon() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (alive()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace orvan
