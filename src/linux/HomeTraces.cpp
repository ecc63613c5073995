#include "HomeTraces.h"

#include "DesktopBackground.h"

namespace orvan {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEmptyRecentList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n</xbel>\n";

// Profiles are the folders directly below `parent` that hold `marker`.
std::vector<fs::path> profilesIn(const fs::path& parent, const char* marker) {
    std::vector<fs::path> profiles;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(parent, error)) {
        if (!entry.is_symlink() && entry.is_directory() && fs::exists(entry.path() / marker)) {
            profiles.push_back(entry.path());
        }
    }
    return profiles;
}

// A text for a preference file: quotes, backslashes and line breaks cannot end it.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n' || c == '\r') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace

HomeTraces::HomeTraces(fs::path home, fs::path dataFolder)
    : home_(std::move(home))
    , confined_({home_, std::move(dataFolder)}) {}

bool HomeTraces::running(const fs::path& lockLink) {
    // Firefox's "lock" and Chromium's "SingletonLock" are links that exist only while
    // the browser runs.
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(lockLink, error));
}

std::vector<fs::path> HomeTraces::firefoxProfiles() const {
    return profilesIn(home_ / ".mozilla/firefox", "prefs.js");
}

std::vector<fs::path> HomeTraces::chromiumProfiles() const {
    auto profiles = profilesIn(home_ / ".config/chromium", "History");
    for (auto& profile : profilesIn(home_ / ".config/google-chrome", "History")) {
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

bool HomeTraces::removeAll(const fs::path& folder, const std::vector<const char*>& names) const {
    bool done = true;
    for (const char* name : names) {
        done = confined_.remove(folder / name) && done;
    }
    return done;
}

bool HomeTraces::arrangeDesktopIcons() {
    // The desktop's icons belong to the desktop's own program, which keeps them on its
    // grid and offers nobody else a way to arrange them.
    return true;
}

bool HomeTraces::clearRecentDocuments() {
    const auto list = home_ / ".local/share/recently-used.xbel";
    std::error_code error;
    if (!fs::exists(fs::symlink_status(list, error))) {
        return true;
    }
    return confined_.write(list, kEmptyRecentList);
}

bool HomeTraces::emptyTrash() {
    const auto trash = home_ / ".local/share/Trash";
    return confined_.clearContents(trash / "files") && confined_.clearContents(trash / "info");
}

bool HomeTraces::setWallpaper(const std::string& picturePath) {
    return DesktopBackground::set(picturePath);
}

bool HomeTraces::setStartPage(const std::string& address) {
    bool done = true;
    for (const auto& profile : firefoxProfiles()) {
        done = confined_.write(profile / "user.js", "user_pref(\"browser.startup.homepage\", " +
                                                        quoted(address) + ");\n") &&
               done;
    }
    return done;
}

bool HomeTraces::resetBrowserLook(const WindowPlacement& /*placement*/) {
    // Firefox keeps its window sizes and zoom in these; without them it opens plainly.
    bool done = true;
    for (const auto& profile : firefoxProfiles()) {
        if (!running(profile / "lock")) {
            done = removeAll(profile, {"xulstore.json", "content-prefs.sqlite"}) && done;
        }
    }
    return done;
}

bool HomeTraces::deleteBrowserCache() {
    bool done = true;
    for (const char* cache : {".cache/mozilla", ".cache/chromium", ".cache/google-chrome"}) {
        done = confined_.clearContents(home_ / cache) && done;
    }
    return done;
}

bool HomeTraces::deleteBrowserHistory() {
    bool done = true;
    for (const auto& profile : firefoxProfiles()) {
        if (running(profile / "lock")) {
            done = false;
            continue;
        }
        done = removeAll(profile, {"places.sqlite", "places.sqlite-wal", "formhistory.sqlite",
                                   "sessionstore.jsonlz4", "sessionstore-backups"}) &&
               done;
    }
    for (const auto& profile : chromiumProfiles()) {
        if (running(profile.parent_path() / "SingletonLock")) {
            done = false;
            continue;
        }
        done = removeAll(profile, {"History", "History-journal", "Visited Links", "Top Sites",
                                   "Current Session", "Last Session", "Sessions"}) &&
               done;
    }
    return done;
}

bool HomeTraces::clearMessengerTraces() {
    bool done = true;
    for (const char* logs : {".gaim", ".purple/logs", ".config/hexchat/logs"}) {
        done = confined_.clearContents(home_ / logs) && done;
    }
    return done;
}

} // namespace orvan
