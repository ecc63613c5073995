#include "ConfinedFolder.h"

#include <fcntl.h>
#include <unistd.h>

namespace orvan {

namespace fs = std::filesystem;

ConfinedFolder::ConfinedFolder(std::vector<fs::path> roots) {
    for (const auto& root : roots) {
        std::error_code error;
        const auto resolved = fs::weakly_canonical(root, error);
        if (!error && !root.empty()) {
            roots_.push_back(resolved);
        }
    }
}

bool ConfinedFolder::contains(const fs::path& path) const {
    std::error_code error;
    // The folders above are resolved; the last part itself is not followed.
    const auto parent = fs::weakly_canonical(path.parent_path(), error);
    if (error || path.filename().empty() || path.filename() == "..") {
        return false;
    }
    for (const auto& root : roots_) {
        const auto relative = parent.lexically_relative(root);
        if (!relative.empty() && *relative.begin() != "..") {
            return true;
        }
    }
    return false;
}

bool ConfinedFolder::removeTree(const fs::path& path) const {
    std::error_code error;
    const auto status = fs::symlink_status(path, error);
    if (error || !fs::exists(status)) {
        return true;
    }
    if (fs::is_symlink(status)) {
        return true; // never followed, and what it points at is not ours to judge
    }
    bool done = true;
    if (fs::is_directory(status)) {
        for (const auto& entry : fs::directory_iterator(path, error)) {
            done = removeTree(entry.path()) && done;
        }
        // A folder that still holds a link stays, with the link.
        fs::remove(path, error);
        return done;
    }
    return fs::remove(path, error) && !error;
}

bool ConfinedFolder::remove(const fs::path& path) const {
    return contains(path) && removeTree(path);
}

bool ConfinedFolder::clearContents(const fs::path& folder) const {
    std::error_code error;
    const auto status = fs::symlink_status(folder, error);
    if (error || !fs::exists(status)) {
        return true;
    }
    if (!contains(folder) || !fs::is_directory(status)) {
        return false;
    }
    bool done = true;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        done = removeTree(entry.path()) && done;
    }
    return done && !error;
}

bool ConfinedFolder::write(const fs::path& path, const std::string& contents) const {
    if (!contains(path)) {
        return false;
    }
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written =
        ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    return close(fd) == 0 && written;
}

} // namespace orvan
