#include "XvfbServer.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

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

// In the child: becomes the server, which dies with the test program even when
// that crashes. No reset when the last client leaves: a test connecting just then
// would be refused.
[[noreturn]] void startServer(int readEnd, const std::string& writeEnd,
                              const std::vector<std::string>& arguments) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    close(readEnd);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<std::string> words{"Xvfb",        "-displayfd", writeEnd, "-screen", "0",
                                   "1024x768x24", "-nolisten",  "tcp",    "-noreset"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    execvp("Xvfb", argv.data());
    _exit(127);
}

} // namespace

XvfbServer::XvfbServer(const std::vector<std::string>& arguments) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    const std::string writeEnd = std::to_string(fds[1]);
    pid_ = fork();
    if (pid_ == 0) {
        startServer(fds[0], writeEnd, arguments);
    }
    close(fds[1]);
    if (pid_ > 0) {
        if (const auto number = readDisplayNumber(fds[0]); !number.empty()) {
            display_ = ":" + number;
            setenv("DISPLAY", display_.c_str(), 1);
        }
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
