#include "XvfbServer.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace orvan::winlock {

namespace {

// The display number the server writes once it accepts connections.
std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd readable{fd, POLLIN, 0};
    char c = 0;
    while (poll(&readable, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    return number;
}

} // namespace

XvfbServer::XvfbServer() {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    const std::string fd = std::to_string(fds[1]);
    std::vector<const char*> argv{"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                                  "1024x768x24", "-nolisten",  "tcp",      nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int error = posix_spawnp(&pid_, argv[0], &actions, nullptr,
                                   const_cast<char* const*>(argv.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (error != 0) {
        pid_ = -1;
    } else if (const auto number = readDisplayNumber(fds[0]); !number.empty()) {
        display_ = ":" + number;
        setenv("DISPLAY", display_.c_str(), 1);
    }
    close(fds[0]);
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    unsetenv("DISPLAY");
}

} // namespace orvan::winlock
