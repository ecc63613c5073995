#pragma once

#include "StartupRun.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace orvan::bench {

// The stand-in cafe server on the loopback, on free ports, driven through its console
// as the manager would type at it. Its output goes to `folder`/server.log, its console
// is a pipe named there.
class ServerConsole {
public:
    ServerConsole(const std::string& program, const std::string& folder);
    ~ServerConsole();
    ServerConsole(const ServerConsole&) = delete;
    ServerConsole& operator=(const ServerConsole&) = delete;

    // The port workstations connect to; 0 when the server did not come up.
    int tcpPort() const { return tcpPort_; }
    // One console line; false when the server no longer reads.
    bool type(const std::string& command);
    // Waits for an output line holding `text` written after the last line this found,
    // so that a run of waits checks an order. False when none came within `bound`.
    bool waitFor(const std::string& text, std::chrono::milliseconds bound);
    // Everything the server has written, for a report when something went wrong.
    std::string output() const;

private:
    std::string log_;
    int console_ = -1;
    std::unique_ptr<ChildProgram> server_;
    int tcpPort_ = 0;
    std::size_t readUpTo_ = 0;
};

} // namespace orvan::bench
