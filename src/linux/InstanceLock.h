#pragma once

#include <string>

namespace orvan {

// One running copy per user and display: an exclusive lock on a file in the user's
// runtime folder, held for the life of the process. A copy that crashed leaves no
// stale lock: the lock goes with its holder.
class InstanceLock {
public:
    // `folder` empty: /run/user/<uid>, else $XDG_RUNTIME_DIR, else /tmp (the file name
    // carries the user id).
    explicit InstanceLock(std::string folder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False only when another process holds the lock.
    bool claim();
    std::string path() const;

private:
    std::string folder_;
    int fd_ = -1;
};

} // namespace orvan
