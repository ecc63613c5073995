#include "InstanceLock.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvan {
namespace {

std::string displayName() {
    const char* display = std::getenv("DISPLAY");
    std::string name = display != nullptr ? display : "";
    for (auto& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return name;
}

} // namespace

InstanceLock::InstanceLock(std::string folder)
    : folder_(std::move(folder)) {
    // The account's own runtime folder first: the environment is the customer's to set.
    const std::string own = "/run/user/" + std::to_string(getuid());
    if (folder_.empty() && access(own.c_str(), W_OK) == 0) {
        folder_ = own;
    }
    if (folder_.empty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        folder_ = runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp";
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

std::string InstanceLock::path() const {
    return folder_ + "/orvanclient-" + std::to_string(getuid()) + "-display" + displayName() +
           ".lock";
}

bool InstanceLock::claim() {
    if (fd_ >= 0) {
        return true;
    }
    // Never through a link, and never a file another user planted in a shared folder.
    // A lock that cannot be had that way says nothing of another copy: this one runs,
    // since a client that refuses to start leaves the computer unlocked.
    const int fd = open(path().c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0 || status.st_uid != getuid()) {
        if (fd >= 0) {
            close(fd);
        }
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

} // namespace orvan
