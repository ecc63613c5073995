#pragma once

#include <string>

namespace orvan {

// Shuts the computer down or restarts it when the server says so; start-up, at the
// top, knows how to close the program first.
class ComputerShutdown {
public:
    // `flags` as the shell's exits (always forced), asking first when `prompt` is not
    // empty.
    virtual void subShutdown(int flags, const std::string& prompt) = 0;

protected:
    ~ComputerShutdown() = default;
};

} // namespace orvan
