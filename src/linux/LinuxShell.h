#pragma once

#include "LinuxFileSystem.h"
#include "platform/Shell.h"

#include <chrono>
#include <functional>

namespace orvan {

// Session and power through systemd-logind on the system bus, and autostart through
// a desktop entry in the user's autostart folder.
//
// Every bus conversation, connecting included, gives up after `busTimeout`: a
// machine without logind (a container) must answer "no", not hang the client.
class LinuxShell : public Shell {
public:
    static constexpr std::chrono::milliseconds kDefaultBusTimeout{5000};

    // Ends the program with std::exit(0).
    LinuxShell();
    // `quitter` ends the program instead: a Qt application passes one that quits its
    // event loop, so that destructors run and settings are saved.
    explicit LinuxShell(std::function<void()> quitter,
                        std::chrono::milliseconds busTimeout = kDefaultBusTimeout);

    // True when logind would let us both power off and reboot, possibly after asking
    // for authentication.
    bool enableShutdownPrivilege() override;
    // kReboot restarts; kShutdown or kPowerOff power off; neither logs off the
    // session this process runs in. kForce is ignored: logind does not ask the
    // session's programs for consent.
    bool exitSystem(int flags) override;
    void endProcess() override;

    // The Exec line of $XDG_CONFIG_HOME/autostart/orvanclient.desktop.
    std::string autostartCommand() override;
    // Commands spanning lines cannot be written into a desktop entry and are refused.
    bool setAutostartCommand(const std::string& command) override;
    bool removeAutostart() override;

private:
    std::string autostartPath() const;

    std::function<void()> quitter_;
    std::chrono::milliseconds busTimeout_;
    LinuxFileSystem files_;
};

} // namespace orvan
