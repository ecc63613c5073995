#pragma once

#include "platform/Desktop.h"

#include <algorithm>
#include <set>

namespace orvan::test {

// A desktop whose programs and windows the test lists; closing a window removes it
// unless the window ignores close requests.
class ScriptedDesktop : public Desktop {
public:
    std::vector<ProcessEntry> processes() override { return processList; }
    std::vector<ProcessEntry> applicationWindows() override { return windowList; }
    void requestClose(std::uint64_t window) override {
        closeRequests.push_back(window);
        if (stubborn.count(window) == 0) {
            forget(window);
        }
    }
    bool windowExists(std::uint64_t window) override {
        return std::any_of(windowList.begin(), windowList.end(),
                           [window](const ProcessEntry& e) { return e.window == window; });
    }
    bool terminate(long processId) override {
        terminated.push_back(processId);
        windowList.erase(
            std::remove_if(windowList.begin(), windowList.end(),
                           [processId](const ProcessEntry& e) { return e.processId == processId; }),
            windowList.end());
        return true;
    }

    void forget(std::uint64_t window) {
        windowList.erase(
            std::remove_if(windowList.begin(), windowList.end(),
                           [window](const ProcessEntry& e) { return e.window == window; }),
            windowList.end());
    }

    std::vector<ProcessEntry> processList;
    std::vector<ProcessEntry> windowList;
    std::set<std::uint64_t> stubborn; // windows that ignore close requests
    std::vector<std::uint64_t> closeRequests;
    std::vector<long> terminated;
};

} // namespace orvan::test
