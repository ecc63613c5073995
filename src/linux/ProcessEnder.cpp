#include "ProcessEnder.h"

#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvan {
namespace {

int pidfdOpen(pid_t pid) {
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

bool pidfdSignal(int pidfd, int signal) {
    return syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0) == 0;
}

} // namespace

bool ProcessEnder::waitForExit(int pidfd, std::chrono::milliseconds bound) {
    // A pidfd becomes readable when its process ends.
    pollfd ended{pidfd, POLLIN, 0};
    return poll(&ended, 1, static_cast<int>(bound.count())) == 1;
}

bool ProcessEnder::end(const ProcInfo& process, const ProcTable& table) const {
    const int pidfd = pidfdOpen(process.pid);
    if (pidfd < 0) {
        return false;
    }
    // The id now held is the process that was judged only if it started at the same time.
    const auto now = table.read(process.pid);
    bool ended = false;
    if (now && now->startTime == process.startTime && pidfdSignal(pidfd, SIGTERM)) {
        ended = waitForExit(pidfd, grace_) ||
                (pidfdSignal(pidfd, SIGKILL) && waitForExit(pidfd, grace_));
    }
    close(pidfd);
    return ended;
}

} // namespace orvan
