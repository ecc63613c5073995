#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvan {

// Files on the computer. Paths are absolute, with "/" between folders.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool exists(const std::string& path) const = 0;
    // Creates the folder and its parents; an existing folder is success.
    virtual bool createFolder(const std::string& path) = 0;
    // Appends to the file, creating it when missing.
    virtual bool append(const std::string& path, std::string_view bytes) = 0;
    virtual std::optional<std::string> read(const std::string& path) const = 0;
    // Replaces the file's content.
    virtual bool write(const std::string& path, std::string_view bytes) = 0;
    virtual bool remove(const std::string& path) = 0;
    // When the file was last written (UTC milliseconds since 1970), if it exists.
    virtual std::optional<std::int64_t> modifiedUtcMillis(const std::string& path) const = 0;
    // Size in bytes of a plain file, if it exists.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) const = 0;
    // Replaces `to` with a copy of `from`.
    virtual bool copy(const std::string& from, const std::string& to) = 0;
    // Names (not paths) of the plain files in a folder; empty when it cannot be read.
    virtual std::vector<std::string> listFiles(const std::string& folder) const = 0;
};

} // namespace orvan
