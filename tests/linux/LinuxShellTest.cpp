#include "LinuxShell.h"

#include "ScopedEnv.h"
#include "TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvan {
namespace {

std::string contentOf(const std::string& path) {
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

class LinuxShellAutostart : public ::testing::Test {
protected:
    TempFolder config;
    ScopedEnv xdg{"XDG_CONFIG_HOME", config.path().c_str()};
    LinuxShell shell{[] {}};
    std::string entry = config / "autostart/orvanclient.desktop";
};

TEST_F(LinuxShellAutostart, RoundTripsThroughADesktopEntry) {
    EXPECT_EQ(shell.autostartCommand(), "");

    const std::string command = "\"/opt/orvan/orvan client\" --quota 100% C:\\cafe";
    ASSERT_TRUE(shell.setAutostartCommand(command));
    EXPECT_EQ(shell.autostartCommand(), command);
    const std::string written = contentOf(entry);
    EXPECT_EQ(written.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(written.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(written.find("\nExec=\"/opt/orvan/orvan client\" --quota 100%% C:\\\\cafe\n"),
              std::string::npos);

    ASSERT_TRUE(shell.setAutostartCommand("/opt/orvan/orvanclient"));
    EXPECT_EQ(shell.autostartCommand(), "/opt/orvan/orvanclient");

    // A line break would smuggle in keys of its own.
    EXPECT_FALSE(shell.setAutostartCommand("/bin/true\nHidden=true"));

    EXPECT_TRUE(shell.removeAutostart());
    EXPECT_EQ(shell.autostartCommand(), "");
    EXPECT_TRUE(shell.removeAutostart());
}

TEST_F(LinuxShellAutostart, ReadsEntriesOthersWroteOrDisabled) {
    ASSERT_TRUE(shell.setAutostartCommand("/opt/orvan/orvanclient"));
    std::ofstream(entry) << "# written by hand\n"
                            "[Desktop Entry]\n"
                            "Name=OrvanClient\n"
                            "Exec = /opt/orvan/orvanclient\\s--tray\n"
                            "[Desktop Action Other]\n"
                            "Exec=/bin/false\n";
    EXPECT_EQ(shell.autostartCommand(), "/opt/orvan/orvanclient --tray");

    std::ofstream(entry, std::ios::app) << "[Desktop Entry]\nHidden=true\n";
    EXPECT_EQ(shell.autostartCommand(), "");
}

TEST(LinuxShell, AutostartDefaultsToHomeConfig) {
    const TempFolder home;
    const ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    const ScopedEnv homeVariable("HOME", home.path().c_str());
    LinuxShell shell([] {});
    ASSERT_TRUE(shell.setAutostartCommand("/opt/orvan/orvanclient"));
    EXPECT_TRUE(std::ifstream(home / ".config/autostart/orvanclient.desktop").good());
}

// Pointing the client at a bus that is not there (or that never answers) keeps
// these tests from ever shutting down a developer's machine.
TEST(LinuxShell, WithoutSystemBusEverythingIsRefused) {
    const TempFolder run;
    const std::string address = "unix:path=" + (run / "no_bus");
    const ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", address.c_str());
    LinuxShell shell([] {});
    EXPECT_FALSE(shell.enableShutdownPrivilege());
    for (const int flags :
         {Shell::kLogOff, Shell::kShutdown, Shell::kReboot, Shell::kPowerOff | Shell::kForce}) {
        EXPECT_FALSE(shell.exitSystem(flags)) << flags;
    }
}

TEST(LinuxShell, SilentBusIsGivenUpOn) {
    const TempFolder run;
    const std::string socketPath = run / "silent_bus";
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0); // connections wait in the backlog, never answered

    const std::string busAddress = "unix:path=" + socketPath;
    const ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", busAddress.c_str());
    LinuxShell shell([] {}, std::chrono::milliseconds(200));
    EXPECT_FALSE(shell.enableShutdownPrivilege());
    EXPECT_FALSE(shell.exitSystem(Shell::kReboot));
    close(listener);
}

} // namespace
} // namespace orvan
