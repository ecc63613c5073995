#include "GuardService.h"

#include "GuardLink.h"
#include "GuardProtocol.h"
#include "XvfbServer.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace orvan::guard {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Every process is in a session named after it; the sessions ended are recorded.
class RecordingSessions : public LoginSessions {
public:
    std::string sessionOf(pid_t pid) override {
        return pid == unknown ? std::string{} : "s" + std::to_string(pid);
    }
    bool terminate(const std::string& session) override {
        const std::lock_guard guard(mutex_);
        ended_.push_back(session);
        return true;
    }
    std::vector<std::string> ended() {
        const std::lock_guard guard(mutex_);
        return ended_;
    }
    std::atomic<pid_t> unknown{-1};

private:
    std::mutex mutex_;
    std::vector<std::string> ended_;
};

// The service on a socket of its own, run by a thread of the test.
class GuardServiceTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orvan-guard-" + std::to_string(getpid()) + "-" + std::to_string(++counter_));
        fs::create_directories(folder_);
        socket_ = (folder_ / "guard.sock").string();
        std::string error;
        const int listener = GuardService::listenAt(socket_, error);
        ASSERT_GE(listener, 0) << error;
        service_ = std::make_unique<GuardService>(listener, sessions_, [this](const auto& line) {
            const std::lock_guard guard(logMutex_);
            log_.push_back(line);
        });
        runner_ = std::thread([this] {
            while (running_) {
                service_->runOnce(20ms);
            }
        });
    }

    void TearDown() override {
        running_ = false;
        runner_.join();
        service_.reset();
        fs::remove_all(folder_);
    }

    // A connection to the service, as the client's would be; -1 when refused.
    int connectToGuard() const {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket_.c_str(), sizeof(address.sun_path) - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    static void say(int fd, std::string_view line) {
        ASSERT_EQ(::send(fd, line.data(), line.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(line.size()));
    }

    bool logged(const std::string& part) {
        const std::lock_guard guard(logMutex_);
        for (const auto& line : log_) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // Polls until the condition holds; false when it still fails after the bound.
    static bool eventually(const std::function<bool()>& condition,
                           std::chrono::milliseconds bound = 5s) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(20ms);
        }
        return true;
    }

    bool ended(pid_t pid) {
        const auto all = sessions_.ended();
        return std::find(all.begin(), all.end(), "s" + std::to_string(pid)) != all.end();
    }

    static inline int counter_ = 0;
    fs::path folder_;
    std::string socket_;
    RecordingSessions sessions_;
    std::unique_ptr<GuardService> service_;
    std::atomic<bool> running_{true};
    std::thread runner_;
    std::mutex logMutex_;
    std::vector<std::string> log_;
};

TEST_F(GuardServiceTest, registrationsEndTheSessionOnlyWhenClosedWithoutAGoodbye) {
    const int silentThenGone = connectToGuard();
    const int registered = connectToGuard();
    const int leaving = connectToGuard();
    say(registered, kHello);
    say(leaving, kHello);
    ASSERT_TRUE(eventually([&] { return logged("watching"); }));

    say(leaving, kBeat);
    say(leaving, kBye);
    ::close(leaving);
    ::close(silentThenGone);
    ASSERT_TRUE(eventually([&] { return logged("ended on purpose"); }));
    ::close(registered);
    ASSERT_TRUE(eventually([&] { return logged("without a goodbye"); }));
    // All three are this test's process: one session ended, for the one registration.
    EXPECT_EQ(sessions_.ended(), std::vector<std::string>{"s" + std::to_string(getpid())});
}

TEST_F(GuardServiceTest,
       aRegistrationThatFallsSilentEndsItsSessionAndAProcessOutsideSessionsIsNotWatched) {
    const int fd = connectToGuard();
    say(fd, kHello);
    ASSERT_TRUE(eventually([&] { return !sessions_.ended().empty(); }, 2 * kSilenceLimit));
    EXPECT_TRUE(logged("fell silent"));
    ::close(fd);

    // Turned away as soon as it connects: there is no session its end could end.
    sessions_.unknown = getpid();
    const int outside = connectToGuard();
    EXPECT_TRUE(eventually([&] { return logged("runs in no login session"); }));
    ::close(outside);
}

TEST_F(GuardServiceTest, aClientWhoseEventLoopStopsTurningFallsSilent) {
    GuardLink link(300ms);
    ASSERT_TRUE(link.start(socket_));
    // Turning for well over the limit keeps it alive.
    const auto until = std::chrono::steady_clock::now() + 3 * 300ms + kSilenceLimit;
    while (std::chrono::steady_clock::now() < until) {
        link.loopTurned();
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(sessions_.ended().empty());

    // Its beating thread goes on, but the hung loop is no longer vouched for.
    EXPECT_TRUE(eventually([&] { return ended(getpid()); }, 300ms + 2 * kSilenceLimit));
    EXPECT_TRUE(logged("fell silent"));
}

// The real client on a private display, registered with the service under test.
class GuardedClientTest : public GuardServiceTest {
protected:
    static void SetUpTestSuite() { display_ = new winlock::XvfbServer(); }
    static void TearDownTestSuite() {
        delete display_;
        display_ = nullptr;
    }

    void SetUp() override {
        GuardServiceTest::SetUp();
        ASSERT_TRUE(display_->running());
        const auto data = folder_ / "var/OrvanetixClient";
        fs::create_directories(data);
        std::ofstream(data / "machine.reg")
            << "Windows Registry Editor Version 5.00\n\n"
               "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
               "\"Config Wizard\"=\"1\"\n\"Current Settings Version\"=\"4\"\n"
               "\"Workstation Name\"=\"pc-guard\"\n";
    }

    void TearDown() override {
        if (client_ > 0) {
            ::kill(client_, SIGKILL);
            ::waitpid(client_, nullptr, 0);
        }
        GuardServiceTest::TearDown();
    }

    // Starts the client; true once it registered.
    bool startClient(const std::string& quitAfter = "60000") {
        std::vector<std::string> settings{
            "QT_QPA_PLATFORM=xcb",
            "ORVAN_COMMON_APPDATA=" + (folder_ / "var").string(),
            "XDG_CONFIG_HOME=" + (folder_ / "config").string(),
            "ORVAN_GUARD_SOCKET=" + socket_,
            "ORVAN_QUIT_AFTER_MS=" + quitAfter,
            std::string{"DISPLAY="} + std::getenv("DISPLAY"),
            std::string{"HOME="} + folder_.string(),
        };
        std::vector<char*> environment;
        for (auto& setting : settings) {
            environment.push_back(setting.data());
        }
        environment.push_back(nullptr);
        char* argv[] = {const_cast<char*>(ORVAN_CLIENT), nullptr};
        if (posix_spawn(&client_, ORVAN_CLIENT, nullptr, nullptr, argv, environment.data()) != 0) {
            return false;
        }
        return eventually([&] { return logged("watching process " + std::to_string(client_)); },
                          20s);
    }

    static int run(const std::string& command) { return std::system(command.c_str()); }

    pid_t client_ = -1;
    static inline winlock::XvfbServer* display_ = nullptr;
};

TEST_F(GuardedClientTest, killedClientEndsItsSession) {
    ASSERT_TRUE(startClient());
    ::kill(client_, SIGKILL);
    EXPECT_TRUE(eventually([&] { return ended(client_); }));
}

TEST_F(GuardedClientTest, stoppedClientEndsItsSession) {
    ASSERT_TRUE(startClient());
    ::kill(client_, SIGSTOP);
    EXPECT_TRUE(eventually([&] { return ended(client_); }));
    EXPECT_TRUE(logged("fell silent"));
}

TEST_F(GuardedClientTest, clientCutOffFromItsDisplayEndsItsSession) {
    ASSERT_TRUE(startClient());
    // The customer's xkill on the lock window closes the client's X connection.
    const auto pid = std::to_string(client_);
    ASSERT_TRUE(eventually(
        [&] { return run("xdotool search --pid " + pid + " >/dev/null 2>&1") == 0; }, 20s));
    ASSERT_EQ(run("xkill -id $(xdotool search --pid " + pid + " | head -n1) >/dev/null"), 0);
    EXPECT_TRUE(eventually([&] { return ended(client_); }));
}

TEST_F(GuardedClientTest, clientEndingOnPurposeLeavesTheSessionAlone) {
    ASSERT_TRUE(startClient("3000"));
    int status = 0;
    ASSERT_EQ(::waitpid(client_, &status, 0), client_);
    client_ = -1;
    EXPECT_TRUE(eventually([&] { return logged("ended on purpose"); }));
    std::this_thread::sleep_for(kSilenceLimit);
    EXPECT_TRUE(sessions_.ended().empty());
}

} // namespace
} // namespace orvan::guard
