#pragma once

#include "ProcTable.h"

#include <set>
#include <string>

namespace orvan {

// Which processes the client may close or end: only the customer's own programs,
// in the customer's own login session. Never the client itself, the helpers it
// started (the lock library's), the process that started it, the session's leader,
// the display manager and the X server, nor the programs drawing the desktop shell
// (the window manager, panels, docks and the desktop), which the caller names.
class SpareRules {
public:
    // The facts of the client's own process.
    explicit SpareRules(const ProcInfo& self);

    // Processes drawing the desktop shell, found again on every look at the windows.
    void setShellProcesses(std::set<pid_t> pids) { shell_ = std::move(pids); }
    bool mayTouch(const ProcInfo& process) const;

private:
    static bool isSystemProgram(const std::string& executable);

    ProcInfo self_;
    std::set<pid_t> shell_;
};

} // namespace orvan
