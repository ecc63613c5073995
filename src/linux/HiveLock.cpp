#include "HiveLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace orvan {

namespace {

int lockedDescriptor(const std::string& lockPath, int openFlags, int operation) {
    // Read-only is enough for flock, so a lock file created by another user with a
    // restrictive umask still serves.
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | openFlags, 0666);
    if (fd < 0) {
        return -1;
    }
    int result = 0;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

HiveLock HiveLock::shared(const std::string& lockPath) {
    return HiveLock(lockedDescriptor(lockPath, 0, LOCK_SH));
}

HiveLock HiveLock::exclusive(const std::string& lockPath) {
    return HiveLock(lockedDescriptor(lockPath, O_CREAT, LOCK_EX));
}

HiveLock::HiveLock(HiveLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

HiveLock::~HiveLock() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock
    }
}

} // namespace orvan
