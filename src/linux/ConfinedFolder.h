#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvan {

// Deletes and writes only inside its folders (the customer's home, the data folder).
// Every path is resolved first; a symbolic link is never followed, so a link that
// leads out of the folders leaves whatever it points at alone.
class ConfinedFolder {
public:
    explicit ConfinedFolder(std::vector<std::filesystem::path> roots);

    // Whether `path`, its folders resolved, lies inside one of the roots.
    bool contains(const std::filesystem::path& path) const;
    // Empties a folder, keeping the folder; true when it is empty or was missing.
    bool clearContents(const std::filesystem::path& folder) const;
    // Removes one file or folder tree; true when it is gone or was missing.
    bool remove(const std::filesystem::path& path) const;
    // Replaces a file's contents; never through a link.
    bool write(const std::filesystem::path& path, const std::string& contents) const;

private:
    bool removeTree(const std::filesystem::path& path) const;

    std::vector<std::filesystem::path> roots_;
};

} // namespace orvan
