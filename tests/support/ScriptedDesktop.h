#pragma once

#include "platform/Desktop.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace orvan::test {

// A desktop whose programs and windows the test lists; closing a window removes it
// unless the window ignores close requests.
class ScriptedDesktop : public Desktop {
public:
    std::vector<ProcessEntry> processes() override { return processList; }
    std::vector<ProcessEntry> applicationWindows() override { return windowList; }
    ProcessEntry processInfo(long processId) override {
        for (const auto& entry : processList) {
            if (entry.processId == processId) {
                return entry;
            }
        }
        return {-1, {}, {}, {}, 0};
    }
    long windowProcess(std::uint64_t window) override {
        for (const auto& entry : windowList) {
            if (entry.window == window) {
                return entry.processId;
            }
        }
        return 0;
    }
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
        if (spared.count(processId) != 0) {
            return false;
        }
        terminated.push_back(processId);
        processList.erase(
            std::remove_if(processList.begin(), processList.end(),
                           [processId](const ProcessEntry& e) { return e.processId == processId; }),
            processList.end());
        windowList.erase(
            std::remove_if(windowList.begin(), windowList.end(),
                           [processId](const ProcessEntry& e) { return e.processId == processId; }),
            windowList.end());
        return true;
    }

    bool claimSingleInstance() override { return !otherInstance; }
    bool startProgram(const std::vector<std::string>& arguments,
                      const std::string& outputPath) override {
        started.push_back({arguments, outputPath});
        return startsPrograms;
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
    std::set<long> spared; // processes that cannot be touched
    bool otherInstance = false;
    struct Start {
        std::vector<std::string> arguments;
        std::string outputPath;
    };
    std::vector<Start> started;
    bool startsPrograms = true;
};

} // namespace orvan::test
