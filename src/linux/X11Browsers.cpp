#include "X11Browsers.h"

#include <array>
#include <string_view>

namespace orvan {
namespace {

constexpr std::array<std::string_view, 12> kBrowserClasses{
    "firefox",  "firefox-esr", "navigator", "chromium", "chromium-browser", "google-chrome",
    "epiphany", "falkon",      "konqueror", "nautilus", "thunar",           "pcmanfm"};

constexpr std::array<std::string_view, 5> kNameSuffixes{
    " \xE2\x80\x94 Mozilla Firefox", " - Mozilla Firefox", " - Chromium", " - Google Chrome",
    " \xE2\x80\x94 Firefox"};

} // namespace

bool X11Browsers::isBrowserClass(const std::string& className) {
    for (const auto known : kBrowserClasses) {
        if (className == known) {
            return true;
        }
    }
    return false;
}

std::string X11Browsers::caption(const std::string& title) {
    for (const auto suffix : kNameSuffixes) {
        if (const auto at = title.rfind(suffix); at != std::string::npos) {
            return title.substr(0, at);
        }
    }
    return title;
}

std::vector<BrowserWindow> X11Browsers::browserWindows() {
    std::vector<BrowserWindow> found;
    for (const auto& window : windows_.topLevel()) {
        if (window.visible && isBrowserClass(window.className)) {
            found.push_back({window.id, caption(window.title),
                             addresses_ != nullptr ? addresses_->address(window.pid, window.title)
                                                   : std::string{}});
        }
    }
    return found;
}

} // namespace orvan
