#include "XvfbDisplay.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvan::bench {

namespace {

// The server writes its display number once it accepts connections.
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

XvfbDisplay::XvfbDisplay(Framebuffer framebuffer) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    const std::string writeEnd = std::to_string(fds[1]);
    const std::string screen = std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24";
    const char* shared = framebuffer == Framebuffer::Shared ? "-shmem" : nullptr;
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        // No reset when the last client leaves: the next program started would be refused.
        execlp("Xvfb", "Xvfb", "-displayfd", writeEnd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", shared, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid_ > 0) {
        if (const auto number = readDisplayNumber(fds[0]); !number.empty()) {
            name_ = ":" + number;
        }
    }
    close(fds[0]);
    if (name_.empty()) {
        stop();
    }
}

XvfbDisplay::~XvfbDisplay() {
    stop();
}

void XvfbDisplay::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
    name_.clear();
}

} // namespace orvan::bench
