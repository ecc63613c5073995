#pragma once

#include "ConfinedFolder.h"
#include "platform/SessionTraces.h"

#include <filesystem>
#include <vector>

namespace orvan {

// A customer's traces in the home folder: the recently-used list, the trash, the
// Firefox and Chromium profiles' caches and histories, the chat programs' logs.
// Nothing outside the home and the data folder is touched. A browser's files are
// left alone while it runs: it would write them back on exit.
class HomeTraces : public SessionTraces {
public:
    HomeTraces(std::filesystem::path home, std::filesystem::path dataFolder);

    bool arrangeDesktopIcons() override;
    bool clearRecentDocuments() override;
    bool setWallpaper(const std::string& picturePath) override;
    bool setStartPage(const std::string& address) override;
    bool resetBrowserLook(const WindowPlacement& placement) override;
    bool deleteBrowserCache() override;
    bool deleteBrowserHistory() override;
    bool clearMessengerTraces() override;
    bool emptyTrash() override;

    // Firefox profiles (with their `prefs.js`) and Chromium profiles (with `History`).
    std::vector<std::filesystem::path> firefoxProfiles() const;
    std::vector<std::filesystem::path> chromiumProfiles() const;

private:
    static bool running(const std::filesystem::path& lockLink);
    bool removeAll(const std::filesystem::path& folder,
                   const std::vector<const char*>& names) const;

    std::filesystem::path home_;
    ConfinedFolder confined_;
};

} // namespace orvan
