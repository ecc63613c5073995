#include "X11Desktop.h"

#include <thread>
#include <unistd.h>

namespace orvan {
namespace {

ProcInfo selfInfo(const ProcTable& table) {
    auto self = table.read(getpid()).value_or(ProcInfo{});
    // Whatever /proc says, this process is itself.
    self.pid = getpid();
    self.uid = getuid();
    self.parent = getppid();
    self.sessionLeader = getsid(0);
    return self;
}

} // namespace

X11Desktop::X11Desktop()
    : X11Desktop(Timing{}) {}

X11Desktop::X11Desktop(Timing timing, std::string lockFolder)
    : timing_(timing)
    , spare_(selfInfo(table_))
    , ender_(timing.endGrace)
    , instance_(std::move(lockFolder)) {}

ProcessEntry X11Desktop::entryOf(const ProcInfo& process) {
    // Another user's program, or one the spare rules protect, cannot be inspected
    // for closing: it keeps its name but never a process id to act on.
    const long id = spare_.mayTouch(process) ? static_cast<long>(process.pid) : -1;
    return {id, process.executable(), process.path, {}, 0};
}

std::vector<ProcessEntry> X11Desktop::processes() {
    refreshShellProcesses(windows_.topLevel());
    std::vector<ProcessEntry> entries;
    for (const auto pid : table_.pids()) {
        if (const auto process = table_.read(pid)) {
            entries.push_back(entryOf(*process));
        }
    }
    return entries;
}

ProcessEntry X11Desktop::processInfo(long processId) {
    const auto process = table_.read(static_cast<pid_t>(processId));
    if (!process) {
        return {};
    }
    refreshShellProcesses(windows_.topLevel());
    return entryOf(*process);
}

bool X11Desktop::listable(const WindowFacts& w) {
    // Owned windows (dialogs) close with their owner unless they say they are
    // ordinary windows of their own.
    const bool application = w.owned ? w.normalType : !w.toolType;
    return w.visible && !w.shellType && application && !w.title.empty() && w.pid > 0;
}

std::vector<ProcessEntry> X11Desktop::applicationWindows() {
    const auto windows = windows_.topLevel();
    refreshShellProcesses(windows);
    std::vector<ProcessEntry> entries;
    for (const auto& window : windows) {
        if (!listable(window)) {
            continue;
        }
        const auto process = table_.read(window.pid);
        if (process && spare_.mayTouch(*process)) {
            auto entry = entryOf(*process);
            entry.title = window.title;
            entry.window = window.id;
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

void X11Desktop::refreshShellProcesses(const std::vector<WindowFacts>& windows) {
    std::set<pid_t> shell;
    if (const auto manager = windows_.windowManagerPid(); manager > 0) {
        shell.insert(manager);
    }
    for (const auto& window : windows) {
        if (window.shellType && window.pid > 0) {
            shell.insert(window.pid);
        }
    }
    spare_.setShellProcesses(std::move(shell));
}

long X11Desktop::windowProcess(std::uint64_t window) {
    return windows_.ownerOf(static_cast<xcb_window_t>(window));
}

bool X11Desktop::mayTouch(pid_t pid) {
    const auto process = table_.read(pid);
    return process && spare_.mayTouch(*process);
}

void X11Desktop::requestClose(std::uint64_t window) {
    refreshShellProcesses(windows_.topLevel());
    const auto id = static_cast<xcb_window_t>(window);
    if (mayTouch(windows_.ownerOf(id)) && windows_.requestClose(id)) {
        askedToClose_.insert(window);
    }
}

bool X11Desktop::windowExists(std::uint64_t window) {
    const auto id = static_cast<xcb_window_t>(window);
    if (askedToClose_.erase(window) == 0) {
        return windows_.exists(id);
    }
    // The program was asked: it gets a moment to save and close.
    const auto deadline = std::chrono::steady_clock::now() + timing_.closeGrace;
    while (windows_.exists(id)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool X11Desktop::terminate(long processId) {
    refreshShellProcesses(windows_.topLevel());
    const auto process = table_.read(static_cast<pid_t>(processId));
    return process && spare_.mayTouch(*process) && ender_.end(*process, table_);
}

bool X11Desktop::claimSingleInstance() {
    return instance_.claim();
}

bool X11Desktop::startProgram(const std::vector<std::string>& arguments,
                              const std::string& outputPath) {
    return starter_.start(arguments, outputPath);
}

} // namespace orvan
