#include "LinuxFileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace orvan {
namespace {

namespace fs = std::filesystem;

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Without this the rename itself may be lost in a power cut, even though the data
// reached the disk.
void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// A name beside `path` that nobody else is using, created with O_EXCL.
int createTemporary(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    const fs::path target(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            (target.parent_path() / ("." + target.filename().string() + ".tmp-" +
                                     std::to_string(getpid()) + "-" + std::to_string(counter++)))
                .string();
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

bool LinuxFileSystem::exists(const std::string& path) const {
    std::error_code error;
    return fs::exists(path, error);
}

bool LinuxFileSystem::createFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    return fs::is_directory(path, error);
}

bool LinuxFileSystem::append(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes);
    return close(fd) == 0 && written;
}

std::optional<std::string> LinuxFileSystem::read(const std::string& path) const {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            close(fd);
            return got == 0 ? std::optional(std::move(content)) : std::nullopt;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

bool LinuxFileSystem::write(const std::string& path, std::string_view bytes) {
    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) {
        return false;
    }
    // A file somebody made private stays private.
    if (struct stat existing{}; stat(path.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
    }
    const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(fs::path(path).parent_path().string());
    return true;
}

bool LinuxFileSystem::remove(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
    return !error;
}

std::vector<std::string> LinuxFileSystem::listFiles(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::int64_t> LinuxFileSystem::modifiedUtcMillis(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1'000'000;
}

std::optional<std::uint64_t> LinuxFileSystem::fileSize(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

bool LinuxFileSystem::copy(const std::string& from, const std::string& to) {
    // Large received files are copied by the kernel, never read into memory.
    std::error_code error;
    const auto temporary = to + ".copying";
    if (!fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, to, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace orvan
