#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace orvan::winlock {

// Runs a program found on PATH with an argument vector (no shell) and waits for it
// for a bounded time; one that overruns is killed.
class ChildProcess {
public:
    enum class Outcome { Succeeded, Failed, NotFound, TimedOut };

    static Outcome run(const std::vector<std::string>& command, std::chrono::milliseconds bound);
};

} // namespace orvan::winlock
