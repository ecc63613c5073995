#include "HiveLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace orvan {

HiveLock HiveLock::acquire(const std::string& lockPath, int openFlags, int operation,
                           std::chrono::milliseconds wait) {
    // Read-only is enough for flock, so a lock file created by another user with a
    // restrictive umask still serves.
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | openFlags, 0666);
    if (fd < 0) {
        return HiveLock(-1, false);
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0) {
            return HiveLock(fd, false);
        }
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return HiveLock(-1, error == EWOULDBLOCK);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

HiveLock HiveLock::shared(const std::string& lockPath, std::chrono::milliseconds wait) {
    return acquire(lockPath, 0, LOCK_SH, wait);
}

HiveLock HiveLock::exclusive(const std::string& lockPath, std::chrono::milliseconds wait) {
    return acquire(lockPath, O_CREAT, LOCK_EX, wait);
}

HiveLock::HiveLock(HiveLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , timedOut_(other.timedOut_) {}

HiveLock::~HiveLock() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock
    }
}

} // namespace orvan
