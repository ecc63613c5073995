#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// One line typed at the console or read from a script: "[@name] verb [args...]".
struct ConsoleCommand {
    std::string target;            // after "@": one workstation; empty means all of them
    std::string verb;              // lower case
    std::vector<std::string> args; // split at blanks; "a b" is one argument, "" an empty one
    std::string rest;              // everything after the verb, as typed

    // Nothing for a blank line or a "#" comment.
    static std::optional<ConsoleCommand> parse(std::string_view line);

    static std::string_view help();
};

} // namespace orvan::cafe
