#include "lockdown/ProhibitedPrograms.h"

#include "base/Utf8.h"

#include <algorithm>

namespace orvan {
namespace {

// The browsers people install besides the Mozilla ones.
const std::vector<const char*> kBrowsers{"iexplore.exe", "chromium",      "chromium-browser",
                                         "chrome",       "google-chrome", "google-chrome-stable",
                                         "brave",        "brave-browser", "opera",
                                         "vivaldi-bin",  "msedge",        "microsoft-edge",
                                         "epiphany",     "konqueror",     "falkon",
                                         "midori",       "qutebrowser"};
const std::vector<const char*> kMozilla{
    "mozilla.exe", "firefox.exe",     "thunderbird.exe", "firefox",   "firefox-esr", "firefox-bin",
    "thunderbird", "thunderbird-bin", "seamonkey",       "iceweasel", "icedove",     "icecat"};
const std::vector<const char*> kNetscape{"netscp.exe", "netscape", "navigator"};
// The mail programs that take the place of the one that came with the system.
const std::vector<const char*> kMail{"msimn.exe", "evolution", "claws-mail", "sylpheed", "geary",
                                     "kmail",     "balsa",     "mutt",       "neomutt",  "alpine"};

// Names from the server often keep their Windows ending, which programs here lack.
std::string withoutExe(const std::string& name) {
    constexpr std::string_view kExe = ".exe";
    if (name.size() > kExe.size() &&
        name.compare(name.size() - kExe.size(), kExe.size(), kExe) == 0) {
        return name.substr(0, name.size() - kExe.size());
    }
    return name;
}

} // namespace

ProhibitedPrograms::ProhibitedPrograms(const Prohibitions& p) {
    if (p.closeInternetExplorer == 1) {
        add(kBrowsers);
    }
    if (p.closeMozilla == 1) {
        add(kMozilla);
    }
    if (p.closeNetscape == 1) {
        add(kNetscape);
    }
    if (p.closeOutlookExpress == 1) {
        add(kMail);
    }
    // Every name counts, a single one too: the server forbade it.
    for (const auto& name : p.furtherNames) {
        const auto lower = Utf8::lowerAscii(name);
        if (!lower.empty()) {
            names_.push_back(lower);
            names_.push_back(withoutExe(lower));
        }
    }
}

void ProhibitedPrograms::add(const std::vector<const char*>& names) {
    names_.insert(names_.end(), names.begin(), names.end());
}

bool ProhibitedPrograms::forbids(const std::string& executable) const {
    const auto lower = Utf8::lowerAscii(executable);
    return !lower.empty() && std::find(names_.begin(), names_.end(), lower) != names_.end();
}

} // namespace orvan
