#pragma once

#include <chrono>
#include <string>

namespace orvan {

// An advisory lock (flock) on a hive's companion lock file, held for one operation.
// The lock file is never replaced, unlike the hive file, so every process locks the
// same inode.
//
// The lock file can be opened by any local user, who could hold the lock for ever: the
// wait is bounded, and a lock not had in time is reported through timedOut().
class HiveLock {
public:
    // A writer holds the lock for one small file write; far longer means someone
    // holds it on purpose.
    static constexpr std::chrono::milliseconds kWaitBound{2000};
    static constexpr std::chrono::milliseconds kPollInterval{10};

    // For readers. Holds nothing when the lock file does not exist yet: no writer has
    // been here, and a writer arriving meanwhile replaces the hive by rename, so the
    // reader still sees a whole file.
    static HiveLock shared(const std::string& lockPath,
                           std::chrono::milliseconds wait = kWaitBound);
    // For read-modify-write; creates the lock file. Check held(): without the lock a
    // concurrent write could be lost.
    static HiveLock exclusive(const std::string& lockPath,
                              std::chrono::milliseconds wait = kWaitBound);

    HiveLock(HiveLock&& other) noexcept;
    HiveLock& operator=(HiveLock&&) = delete;
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    ~HiveLock();

    bool held() const { return fd_ >= 0; }
    // The lock was busy for the whole bound (not held).
    bool timedOut() const { return timedOut_; }

private:
    HiveLock(int fd, bool timedOut)
        : fd_(fd)
        , timedOut_(timedOut) {}
    static HiveLock acquire(const std::string& lockPath, int openFlags, int operation,
                            std::chrono::milliseconds wait);

    int fd_ = -1;
    bool timedOut_ = false;
};

} // namespace orvan
