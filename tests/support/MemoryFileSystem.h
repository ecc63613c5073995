#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <set>

namespace orvan::test {

// Files in memory. Paths under a folder marked unwritable cannot be created,
// appended to or replaced.
class MemoryFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    bool append(const std::string& path, std::string_view bytes) override;
    std::optional<std::string> read(const std::string& path) const override;
    bool write(const std::string& path, std::string_view bytes) override;
    bool remove(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder) const override;
    std::optional<std::int64_t> modifiedUtcMillis(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    bool copy(const std::string& from, const std::string& to) override;

    void setModified(const std::string& path, std::int64_t utcMillis) {
        modified_[path] = utcMillis;
    }

    void makeUnwritable(const std::string& folder) { unwritable_.insert(folder); }
    const std::map<std::string, std::string>& files() const { return files_; }
    // How often a file was read, found or not.
    int readsOf(const std::string& path) const {
        const auto found = reads_.find(path);
        return found == reads_.end() ? 0 : found->second;
    }

private:
    bool writable(const std::string& path) const;
    static std::string parentOf(const std::string& path);

    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> unwritable_;
    std::map<std::string, std::int64_t> modified_;
    mutable std::map<std::string, int> reads_;
};

} // namespace orvan::test
