#pragma once

#include <string>

namespace orvan {

// An advisory lock (flock) on a hive's companion lock file, held for one operation.
// The lock file is never replaced, unlike the hive file, so every process locks the
// same inode.
class HiveLock {
public:
    // For readers. Holds nothing when the lock file does not exist yet: no writer has
    // been here, and a writer arriving meanwhile replaces the hive by rename, so the
    // reader still sees a whole file.
    static HiveLock shared(const std::string& lockPath);
    // For read-modify-write; creates the lock file. Check held(): without the lock a
    // concurrent write could be lost.
    static HiveLock exclusive(const std::string& lockPath);

    HiveLock(HiveLock&& other) noexcept;
    HiveLock& operator=(HiveLock&&) = delete;
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    ~HiveLock();

    bool held() const { return fd_ >= 0; }

private:
    explicit HiveLock(int fd)
        : fd_(fd) {}

    int fd_ = -1;
};

} // namespace orvan
