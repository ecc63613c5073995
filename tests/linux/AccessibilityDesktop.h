#pragma once

#include "ScopedEnv.h"
#include "TempFolder.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace orvan {

// A private desktop session bus (dbus-daemon) with the accessibility bus launcher on
// it, in a runtime folder of its own; the environment names them while they run.
// Both are stopped by their process ids; the launcher takes its own bus with it. The
// accessibility switch it keeps in the desktop's settings stays in memory.
class AccessibilityDesktop {
public:
    // Without the launcher: a session bus with no accessibility bus on it.
    explicit AccessibilityDesktop(bool launcher = true);
    ~AccessibilityDesktop();
    AccessibilityDesktop(const AccessibilityDesktop&) = delete;
    AccessibilityDesktop& operator=(const AccessibilityDesktop&) = delete;

    bool running() const { return running_; }
    const std::string& why() const { return why_; }
    const TempFolder& folder() const { return folder_; }

    // Starts a program with no input or output, ended when the test program ends.
    static pid_t launch(const std::vector<std::string>& command);

private:
    void stop(pid_t& pid);

    TempFolder folder_;
    ScopedEnv runtime_;
    ScopedEnv address_;
    ScopedEnv settings_;
    pid_t daemon_ = -1;
    pid_t launcher_ = -1;
    bool running_ = false;
    std::string why_;
};

} // namespace orvan
