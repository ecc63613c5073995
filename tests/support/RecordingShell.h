#pragma once

#include "platform/Shell.h"

#include <vector>

namespace orvan::test {

// Records what the engine asks of the desktop session instead of doing it.
class RecordingShell : public Shell {
public:
    bool enableShutdownPrivilege() override {
        ++privilegeRequests;
        return true;
    }
    bool exitSystem(int flags) override {
        exits.push_back(flags);
        return exitSucceeds;
    }
    void endProcess() override { ++processEnds; }
    std::string autostartCommand() override { return autostart; }
    bool setAutostartCommand(const std::string& command) override {
        autostart = command;
        return true;
    }
    bool removeAutostart() override {
        autostart.clear();
        return true;
    }

    int privilegeRequests = 0;
    std::vector<int> exits;
    bool exitSucceeds = true;
    int processEnds = 0;
    std::string autostart;
};

} // namespace orvan::test
