#pragma once

#include "ConsoleCommand.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvan::cafe {

// Turns a console command into the wire text it sends to the workstations.
class CommandMessages {
public:
    // Larger files would not fit the outbound queue of a connection.
    static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

    struct Context {
        std::uint16_t udpPortServer = 4647;
        std::uint16_t udpPortWksn = 4648;
        double now = 0;
    };

    struct Result {
        std::string wire;  // one or more messages
        std::string error; // set instead of wire when the arguments are wrong
    };

    // Nothing when the verb sends nothing to the workstations.
    static std::optional<Result> build(const ConsoleCommand& command, const Context& context);

private:
    static Result open(const ConsoleCommand& command);
    static Result recharge(const ConsoleCommand& command, double now);
    static Result text(std::string_view tag, const ConsoleCommand& command);
    static Result disable(const ConsoleCommand& command);
    static Result shutdown(const ConsoleCommand& command);
    static Result file(const ConsoleCommand& command);
    static Result raw(const ConsoleCommand& command);
};

} // namespace orvan::cafe
