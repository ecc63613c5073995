#include "XvfbTest.h"

#include "WinLockApi.h"

#include <csignal>
#include <cstdio>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace orvan::winlock {

namespace {

std::mutex reportsMutex;
std::vector<std::string> collected;

// Called from the library's watcher thread as well.
void collect(const char* line) {
    const std::lock_guard guard(reportsMutex);
    collected.emplace_back(line);
}

} // namespace

XvfbServer* XvfbTest::server_ = nullptr;

void XvfbTest::SetUpTestSuite() {
    // A request to a server that just went away must not end the test program.
    std::signal(SIGPIPE, SIG_IGN);
    server_ = new XvfbServer;
    WinLock_SetLogSink(collect);
}

void XvfbTest::TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
}

void XvfbTest::SetUp() {
    ASSERT_TRUE(server_->running()) << "Xvfb did not start";
    {
        const std::lock_guard guard(reportsMutex);
        collected.clear();
    }
    host_ = std::make_unique<XClient>();
    other_ = std::make_unique<XClient>();
    ASSERT_EQ(xcb_connection_has_error(host_->get()), 0);
    ASSERT_EQ(xcb_connection_has_error(other_->get()), 0);
}

// The library lets go of the host's connection before the host closes it.
void XvfbTest::TearDown() {
    if (HasFailure()) {
        for (const auto& line : reports()) {
            std::printf("reported: %s\n", line.c_str());
        }
    }
    TaskSwitching_Enable_Disable(-1);
    CtrlAltDel_Enable_Disable(-1);
    Desktop_Show_Hide(-1);
    Taskbar_Show_Hide(-1);
    WinLock_SetLockWindows(nullptr, nullptr, 0);
    other_.reset();
    host_.reset();
}

std::vector<std::string> XvfbTest::reports() {
    const std::lock_guard guard(reportsMutex);
    return collected;
}

bool XvfbTest::reported(const std::string& part) {
    for (const auto& line : reports()) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool XvfbTest::eventually(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

int XvfbTest::run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void XvfbTest::attachLockWindow() {
    lockWindow_ = host_->window(true);
    ASSERT_EQ(WinLock_SetLockWindows(host_->get(), &lockWindow_, 1), 1);
}

} // namespace orvan::winlock
