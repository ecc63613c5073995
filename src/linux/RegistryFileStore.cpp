#include "RegistryFileStore.h"

#include "HiveLock.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace orvan {

namespace {

std::string lockPathOf(const std::string& path) {
    return path + ".lock";
}

std::string folderOf(const std::string& path) {
    const auto parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The rename that put a file in place is durable only once its folder is.
bool syncFolder(const std::string& path) {
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return false;
    }
    // EINVAL: a file system that cannot sync folders; nothing more can be done there.
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL;
    ::close(folder);
    return synced;
}

std::string describe(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// A hive that cannot exist is a hive without values.
bool isAbsent(int error) {
    return error == ENOENT || error == ENOTDIR;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
    return true;
}

// 0, or the errno of the failed read.
int readAll(int fd, std::string& out) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            return 0;
        }
        if (got < 0 && errno != EINTR) {
            return errno;
        }
        out.append(buffer, got < 0 ? 0 : static_cast<std::size_t>(got));
    }
}

// File times come from a clock that ticks only every few milliseconds: an edit in
// place within the tick of the read, of the same size, would look unchanged. A file
// is trusted unchanged only once its last change is a second older than the read.
bool settled(const struct stat& status) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto latest = std::max(status.st_mtim.tv_sec, status.st_ctim.tv_sec);
    return now.tv_sec > latest + 1;
}

} // namespace

RegistryFileStore::RegistryFileStore(std::string machineHiveFile, std::string userHiveFile) {
    machine_.path = std::move(machineHiveFile);
    machine_.root = "HKEY_LOCAL_MACHINE";
    user_.path = std::move(userHiveFile);
    user_.root = "HKEY_CURRENT_USER";
}

SettingRead RegistryFileStore::read(Hive hive, const std::string& key, const std::string& name) {
    const std::lock_guard guard(mutex_);
    HiveFile& target = file(hive);
    if (!HiveDocument::isValidKey(key)) {
        return {};
    }
    if (!refresh(target)) {
        return {};
    }
    const SettingValue* value = target.document.find(key, name);
    return value ? SettingRead{SettingRead::Status::Found, *value} : SettingRead{};
}

bool RegistryFileStore::write(Hive hive, const std::string& key, const std::string& name,
                              const SettingValue& value) {
    const std::lock_guard guard(mutex_);
    return HiveDocument::isValidKey(key) &&
           modify(hive, [&](HiveDocument& document) { return document.set(key, name, value); });
}

bool RegistryFileStore::keyExists(Hive hive, const std::string& key) {
    const std::lock_guard guard(mutex_);
    HiveFile& target = file(hive);
    if (!HiveDocument::isValidKey(key)) {
        return false;
    }
    return refresh(target) && target.document.keyExists(key);
}

bool RegistryFileStore::remove(Hive hive, const std::string& key, const std::string& name) {
    const std::lock_guard guard(mutex_);
    // Without a file there is nothing to remove, and no reason to create its folder.
    struct stat status {};
    if (!HiveDocument::isValidKey(key) ||
        (::stat(file(hive).path.c_str(), &status) != 0 && isAbsent(errno))) {
        return true;
    }
    return modify(hive, [&](HiveDocument& document) { return document.remove(key, name); });
}

bool RegistryFileStore::flush(Hive hive) {
    const std::lock_guard guard(mutex_);
    const std::string& path = file(hive).path;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return isAbsent(errno); // never written: nothing to make durable
    }
    bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return syncFolder(path) && synced;
}

std::vector<std::string> RegistryFileStore::takeProblems() {
    const std::lock_guard guard(mutex_);
    return std::exchange(problems_, {});
}

HiveLock RegistryFileStore::lock(HiveFile& hive, bool exclusive) {
    const auto path = lockPathOf(hive.path);
    const auto wait = hive.lockStuck ? std::chrono::milliseconds{0} : HiveLock::kWaitBound;
    HiveLock held = exclusive ? HiveLock::exclusive(path, wait) : HiveLock::shared(path, wait);
    if (held.timedOut() && !hive.lockStuck) {
        problems_.push_back(path + ": lock busy for " +
                            std::to_string(HiveLock::kWaitBound.count()) + " ms; " +
                            (exclusive ? "not written" : "read without it"));
    }
    hive.lockStuck = held.timedOut() || (hive.lockStuck && !held.held());
    return held;
}

RegistryFileStore::HiveFile& RegistryFileStore::file(Hive hive) {
    return hive == Hive::Machine ? machine_ : user_;
}

bool RegistryFileStore::unchanged(const HiveFile& hive) {
    struct stat now {};
    if (!hive.seenSettled || !hive.readFailure.empty() || ::stat(hive.path.c_str(), &now) != 0) {
        return false;
    }
    const auto& seen = hive.seen;
    // The rename of every write gives a new inode, an edit in place a new time and
    // usually a new size; permissions taken away change the change time.
    return now.st_dev == seen.st_dev && now.st_ino == seen.st_ino && now.st_size == seen.st_size &&
           now.st_mode == seen.st_mode && now.st_mtim.tv_sec == seen.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == seen.st_mtim.tv_nsec &&
           now.st_ctim.tv_sec == seen.st_ctim.tv_sec && now.st_ctim.tv_nsec == seen.st_ctim.tv_nsec;
}

bool RegistryFileStore::refresh(HiveFile& hive) {
    if (unchanged(hive)) {
        return true;
    }
    const HiveLock held = lock(hive, false);
    return load(hive);
}

bool RegistryFileStore::load(HiveFile& hive) {
    const auto fail = [&](const std::string& why) {
        if (hive.readFailure != why) {
            hive.readFailure = why;
            problems_.push_back(hive.path + ": cannot be read: " + why);
        }
        return false;
    };
    // Non-blocking, so that a FIFO put in the file's place cannot stall the client.
    const int fd = ::open(hive.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (!isAbsent(errno)) {
            return fail(describe(errno));
        }
        hive.readFailure.clear();
        hive.seenSettled = false;
        hive.text.reset();
        hive.document = {};
        hive.garbled = false;
        hive.mode.reset();
        return true;
    }
    struct stat status {};
    std::string text;
    std::string failure;
    hive.seenSettled = false;
    if (::fstat(fd, &status) != 0) {
        failure = describe(errno);
    } else if (!S_ISREG(status.st_mode)) {
        failure = "not a regular file";
    } else if (const int error = readAll(fd, text); error != 0) {
        failure = describe(error);
    }
    ::close(fd);
    if (!failure.empty()) {
        return fail(failure);
    }
    hive.readFailure.clear();
    hive.mode = status.st_mode & 07777;
    hive.seen = status;
    hive.seenSettled = settled(status);
    if (hive.text != text) {
        const auto reported = problems_.size();
        hive.document = HiveDocument::parse(text, hive.root, hive.path, problems_);
        hive.garbled = problems_.size() != reported;
        hive.text = std::move(text);
    }
    return true;
}

bool RegistryFileStore::modify(Hive hive, const std::function<bool(HiveDocument&)>& change) {
    HiveFile& target = file(hive);
    std::error_code error;
    std::filesystem::create_directories(folderOf(target.path), error);
    if (error) {
        return false;
    }
    const HiveLock held = lock(target, true);
    // An unreadable file is not an empty hive: replacing it would lose its values.
    if (!held.held() || !load(target)) {
        return false;
    }
    HiveDocument updated = target.document;
    // Even a change to nothing drops the garbled lines, which were reported already.
    if (!change(updated) && !target.garbled) {
        return true;
    }
    std::string text = updated.format(target.root);
    if (!replace(target, text)) {
        return false;
    }
    target.document = std::move(updated);
    target.text = std::move(text);
    target.garbled = false;
    target.seenSettled = false; // the file is a new one now
    return true;
}

bool RegistryFileStore::replace(const HiveFile& hive, const std::string& text) {
    // Only the holder of the exclusive lock uses this name; what a writer that died
    // left behind is cleared first.
    const std::string temporary = hive.path + ".new";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    // Synced before the rename, so that a crash leaves the old file or the whole new one.
    bool written =
        writeAll(fd, text) && (!hive.mode || ::fchmod(fd, *hive.mode) == 0) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), hive.path.c_str()) == 0) {
        syncFolder(hive.path);
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

} // namespace orvan
