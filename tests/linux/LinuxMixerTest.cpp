#include "LinuxMixer.h"

#include "ScopedEnv.h"
#include "TempFolder.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvan {
namespace {

using namespace std::chrono_literals;
using Line = Mixer::Line;

constexpr Line kLines[] = {Line::Speakers, Line::Microphone,  Line::Wave,
                           Line::LineIn,   Line::CompactDisc, Line::Synthesizer};

// A socket that takes connections into its backlog and never says a word: a server
// that hangs in the handshake.
class SilentServer {
public:
    explicit SilentServer(const std::string& path) {
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof(address.sun_path) - 1);
        bound_ = fd_ >= 0 &&
                 bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                 listen(fd_, 4) == 0;
    }
    ~SilentServer() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    bool bound() const { return bound_; }
    // Whether a client connected since; it may have hung up again.
    bool approached() const {
        const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK);
        if (peer < 0) {
            return false;
        }
        ::close(peer);
        return true;
    }

private:
    int fd_ = -1;
    bool bound_ = false;
};

// Whether a library whose file name starts with `name` is loaded into this process.
bool mapped(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("/" + name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The engine mutes a held-back mixer when told it is ready: told twice, it would read
// its own mute as the customer's setting.
TEST(LinuxMixerHeldBack, tellsOnceThatItIsReady) {
    LinuxMixer ready;
    EXPECT_TRUE(ready.ready());
    LinuxMixer mixer(LinuxMixer::kDefaultTimeout, LinuxMixer::Start::HeldBack);
    int told = 0;
    mixer.setReadyHandler([&] { ++told; });
    EXPECT_FALSE(mixer.ready());
    mixer.markReady();
    mixer.markReady();
    EXPECT_TRUE(mixer.ready());
    EXPECT_EQ(told, 1);
}

// This machine has neither a sound server nor a card; a mixer must then say so at once
// and stay harmless.
class LinuxMixerWithoutDevice : public ::testing::Test {
protected:
    void expectNothingThere(LinuxMixer& mixer) {
        for (const auto line : kLines) {
            EXPECT_FALSE(mixer.hasVolume(line));
            EXPECT_FALSE(mixer.hasMute(line));
            EXPECT_EQ(mixer.maxVolume(line), 0u);
            EXPECT_EQ(mixer.volume(line), 0u);
            EXPECT_FALSE(mixer.mute(line));
            mixer.setMute(line, true);
            mixer.setVolume(line, 1000);
            EXPECT_FALSE(mixer.mute(line));
            EXPECT_EQ(mixer.volume(line), 0u);
        }
    }

    TempFolder runtime;
};

TEST_F(LinuxMixerWithoutDevice, opensNothingAndReadsZero) {
    ScopedEnv server{"PULSE_SERVER", ("unix:" + (runtime / "absent")).c_str()};
    LinuxMixer mixer;
    if (mixer.open() && mixer.hasMute(Line::Speakers)) {
        GTEST_SKIP() << "this machine has a sound card";
    }
    expectNothingThere(mixer);
    mixer.close();
    mixer.close();
}

TEST_F(LinuxMixerWithoutDevice, soundLibrariesTakeNoMemoryWithoutServerOrCard) {
    // A child, so that what this test loads can be told apart. The server's library
    // cannot be unloaded: an earlier test may have loaded it already.
    const bool pulseBefore = mapped("libpulse");
    const pid_t child = ::fork();
    if (child == 0) {
        ::unsetenv("PULSE_SERVER");
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
        LinuxMixer mixer;
        const bool card = mixer.open();
        const bool loaded = (!pulseBefore && mapped("libpulse")) || (!card && mapped("libasound"));
        ::_exit(card ? 2 : loaded ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "this machine has a sound card";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a sound library stayed loaded";
}

TEST_F(LinuxMixerWithoutDevice, serverThatNeverAnswersIsGivenUpAfterTheTimeout) {
    const std::string path = runtime / "native";
    SilentServer silent(path);
    ASSERT_TRUE(silent.bound());
    ScopedEnv server{"PULSE_SERVER", ("unix:" + path).c_str()};
    LinuxMixer mixer(200ms);
    // The open returns (a mixer waiting on the server for ever would hang the test)...
    if (mixer.open() && mixer.hasMute(Line::Speakers)) {
        GTEST_SKIP() << "this machine has a sound card";
    }
    // ...after it asked the server, rather than passing it by.
    EXPECT_TRUE(silent.approached());
    expectNothingThere(mixer);
}

TEST_F(LinuxMixerWithoutDevice, unopenedMixerIsHarmless) {
    LinuxMixer mixer;
    expectNothingThere(mixer);
}

} // namespace
} // namespace orvan
