#pragma once

#include "platform/FileSystem.h"

namespace orvan {

// Files through POSIX calls. Nothing throws: every failure is a false or an empty
// answer.
class LinuxFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    bool append(const std::string& path, std::string_view bytes) override;
    std::optional<std::string> read(const std::string& path) const override;
    // Writes a temporary file next to `path` and renames it over, so that a crash or
    // power cut leaves either the old content or the new, never a mix.
    bool write(const std::string& path, std::string_view bytes) override;
    // True when nothing is left at `path`, also when nothing was there.
    bool remove(const std::string& path) override;
    // Sorted by name.
    std::vector<std::string> listFiles(const std::string& folder) const override;
    std::optional<std::int64_t> modifiedUtcMillis(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    // Copies through a temporary file and a rename, like write().
    bool copy(const std::string& from, const std::string& to) override;
};

} // namespace orvan
