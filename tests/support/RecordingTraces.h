#pragma once

#include "platform/SessionTraces.h"

#include <set>
#include <string>
#include <vector>

namespace orvan::test {

// Records the cleanup steps in the order they ran; the steps named in `failing` fail.
class RecordingTraces : public SessionTraces {
public:
    bool arrangeDesktopIcons() override { return step("icons"); }
    bool clearRecentDocuments() override { return step("recent"); }
    bool setWallpaper(const std::string& picturePath) override {
        return step("wallpaper " + picturePath);
    }
    bool setStartPage(const std::string& address) override { return step("start page " + address); }
    bool resetBrowserLook(const WindowPlacement& given) override {
        placement = given;
        return step("browser look");
    }
    bool deleteBrowserCache() override { return step("cache"); }
    bool deleteBrowserHistory() override { return step("history"); }
    bool clearMessengerTraces() override { return step("messenger"); }
    bool emptyTrash() override { return step("trash"); }

    std::vector<std::string> steps;
    std::set<std::string> failing;
    WindowPlacement placement;

private:
    bool step(const std::string& name) {
        steps.push_back(name);
        return failing.count(name) == 0;
    }
};

} // namespace orvan::test
