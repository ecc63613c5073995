#include "support/MemoryFileSystem.h"

namespace orvan::test {

std::string MemoryFileSystem::parentOf(const std::string& path) {
    const auto cut = path.rfind('/');
    return cut == std::string::npos || cut == 0 ? std::string{"/"} : path.substr(0, cut);
}

bool MemoryFileSystem::writable(const std::string& path) const {
    for (const auto& folder : unwritable_) {
        if (path.rfind(folder + "/", 0) == 0 || path == folder) {
            return false;
        }
    }
    return true;
}

bool MemoryFileSystem::exists(const std::string& path) const {
    return files_.count(path) > 0 || folders_.count(path) > 0;
}

bool MemoryFileSystem::createFolder(const std::string& path) {
    if (!writable(path) || files_.count(path) > 0) {
        return false;
    }
    for (auto folder = path; folder != "/" && !folder.empty(); folder = parentOf(folder)) {
        folders_.insert(folder);
    }
    return true;
}

bool MemoryFileSystem::append(const std::string& path, std::string_view bytes) {
    if (!writable(path) || folders_.count(path) > 0) {
        return false;
    }
    files_[path] += bytes;
    return true;
}

std::optional<std::uint64_t> MemoryFileSystem::fileSize(const std::string& path) const {
    const auto found = files_.find(path);
    if (found == files_.end()) {
        return std::nullopt;
    }
    return found->second.size();
}

std::optional<std::string> MemoryFileSystem::read(const std::string& path) const {
    ++reads_[path];
    const auto found = files_.find(path);
    if (found == files_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool MemoryFileSystem::write(const std::string& path, std::string_view bytes) {
    if (!writable(path) || folders_.count(path) > 0) {
        return false;
    }
    files_[path] = std::string{bytes};
    return true;
}

bool MemoryFileSystem::remove(const std::string& path) {
    if (!writable(path)) {
        return false;
    }
    return files_.erase(path) > 0;
}

std::vector<std::string> MemoryFileSystem::listFiles(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& [path, content] : files_) {
        if (parentOf(path) == folder) {
            names.push_back(path.substr(folder.size() + 1));
        }
    }
    return names;
}

std::optional<std::int64_t> MemoryFileSystem::modifiedUtcMillis(const std::string& path) const {
    if (files_.count(path) == 0) {
        return std::nullopt;
    }
    const auto found = modified_.find(path);
    return found == modified_.end() ? 0 : found->second;
}

bool MemoryFileSystem::copy(const std::string& from, const std::string& to) {
    const auto content = read(from);
    return content && write(to, *content);
}

} // namespace orvan::test
