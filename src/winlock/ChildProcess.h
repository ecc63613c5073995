#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace orvan::winlock {

// Runs a program by its absolute path with an argument vector (no shell) and waits for
// it for a bounded time; one that overruns is killed. The program gets a clean
// environment: only what reaching the display needs, never the caller's PATH, preload
// or locale, which the person at the keyboard may have set.
class ChildProcess {
public:
    enum class Outcome { Succeeded, Failed, NotFound, TimedOut };

    static Outcome run(const std::vector<std::string>& command, std::chrono::milliseconds bound);
    // The first of `candidates` that is an executable file; empty when none is.
    static std::string find(const std::vector<std::string>& candidates);
};

} // namespace orvan::winlock
