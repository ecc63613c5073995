#pragma once

#include "InstanceLock.h"
#include "ProcTable.h"
#include "ProcessEnder.h"
#include "ProgramStarter.h"
#include "SpareRules.h"
#include "X11Windows.h"
#include "platform/Desktop.h"

#include <chrono>
#include <set>

namespace orvan {

// The customer's programs and windows on the X display, and the processes of /proc.
// What the spare rules protect is neither listed as closable nor ever signalled.
class X11Desktop : public Desktop {
public:
    struct Timing {
        // How long a program may take to close its window once asked.
        std::chrono::milliseconds closeGrace{1500};
        // How long a process may take to end after SIGTERM, and after SIGKILL.
        std::chrono::milliseconds endGrace{1000};
    };

    X11Desktop();
    explicit X11Desktop(Timing timing, std::string lockFolder = {});

    std::vector<ProcessEntry> processes() override;
    std::vector<ProcessEntry> applicationWindows() override;
    ProcessEntry processInfo(long processId) override;
    long windowProcess(std::uint64_t window) override;
    void requestClose(std::uint64_t window) override;
    bool windowExists(std::uint64_t window) override;
    bool terminate(long processId) override;
    bool claimSingleInstance() override;
    bool startProgram(const std::vector<std::string>& arguments,
                      const std::string& outputPath) override;

    // The window list's display connection, whose events the event loop takes; asking
    // for it connects.
    int windowEventsFd() { return windows_.fd(); }
    void takeWindowEvents() { windows_.dispatch(); }

private:
    static bool listable(const WindowFacts& window);
    ProcessEntry entryOf(const ProcInfo& process);
    void refreshShellProcesses(const std::vector<WindowFacts>& windows);
    bool mayTouch(pid_t pid);

    Timing timing_;
    ProcTable table_;
    SpareRules spare_;
    X11Windows windows_;
    ProcessEnder ender_;
    InstanceLock instance_;
    ProgramStarter starter_;
    std::set<std::uint64_t> askedToClose_;
};

} // namespace orvan
