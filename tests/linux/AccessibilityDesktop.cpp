#include "AccessibilityDesktop.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvan {
namespace {

constexpr const char* kLauncher = "/usr/libexec/at-spi-bus-launcher";

// A session bus that starts no service by itself: the launcher runs only where a test
// starts it.
constexpr const char* kConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// The path, or a first entry in it when it is a folder.
bool appears(const std::filesystem::path& path, bool inside = false) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::error_code error;
    while (inside ? std::filesystem::is_empty(path, error) || error
                  : !std::filesystem::exists(path)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace

AccessibilityDesktop::AccessibilityDesktop(bool launcher)
    : runtime_("XDG_RUNTIME_DIR", folder_.path().c_str())
    , address_("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (folder_ / "bus")).c_str())
    , settings_("GSETTINGS_BACKEND", "memory") {
    if (access(kLauncher, X_OK) != 0) {
        why_ = std::string{kLauncher} + " is not installed (at-spi2-core)";
        return;
    }
    std::ofstream(folder_ / "session.conf") << kConfig;
    daemon_ = launch({"dbus-daemon", "--config-file=" + (folder_ / "session.conf"), "--nofork",
                      "--nopidfile", "--address=unix:path=" + (folder_ / "bus")});
    if (!appears(folder_ / "bus")) {
        why_ = "dbus-daemon did not start";
        return;
    }
    if (launcher) {
        launcher_ = launch({kLauncher, "--launch-immediately"});
        // Its socket is named after the display, where there is one.
        if (!appears(folder_ / "at-spi", true)) {
            why_ = "the accessibility bus did not start";
            return;
        }
    }
    running_ = true;
}

AccessibilityDesktop::~AccessibilityDesktop() {
    stop(launcher_);
    stop(daemon_);
}

pid_t AccessibilityDesktop::launch(const std::vector<std::string>& command) {
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (const auto& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void AccessibilityDesktop::stop(pid_t& pid) {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

} // namespace orvan
