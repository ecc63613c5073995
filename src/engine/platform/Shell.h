#pragma once

#include <string>

namespace orvan {

// The desktop session and the power of the computer.
class Shell {
public:
    // Exit flags of the system shutdown call.
    static constexpr int kLogOff = 0;
    static constexpr int kShutdown = 1;
    static constexpr int kReboot = 2;
    static constexpr int kForce = 4;
    static constexpr int kPowerOff = 8;

    virtual ~Shell() = default;

    // Obtains the right to shut the computer down for this process.
    virtual bool enableShutdownPrivilege() = 0;
    // Logs off, shuts down or restarts as the flags say; false when refused.
    virtual bool exitSystem(int flags) = 0;
    // Ends this program at once; nothing of the engine runs afterwards.
    virtual void endProcess() = 0;

    // The command that starts this program when the user logs on; empty when none.
    virtual std::string autostartCommand() = 0;
    virtual bool setAutostartCommand(const std::string& command) = 0;
    virtual bool removeAutostart() = 0;
};

} // namespace orvan
