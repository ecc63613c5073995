#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace orvan::winlock {

// Runs a program by its absolute path with an argument vector (no shell) and waits for
// it for a bounded time; one that overruns is killed. The program gets a clean
// environment: only what reaching the display needs, never the caller's PATH, preload
// or locale, which the person at the keyboard may have set.
class ChildProcess {
public:
    enum class Outcome { Succeeded, Failed, NotFound, TimedOut };

    // A child started and not waited for: its id while it runs, else why it did not start.
    struct Started {
        pid_t pid = -1;
        Outcome outcome = Outcome::Failed;

        bool running() const { return pid > 0; }
    };

    static Outcome run(const std::vector<std::string>& command, std::chrono::milliseconds bound);
    static Started start(const std::vector<std::string>& command);
    // Waits for a started child for a bounded time; one that overruns is killed.
    static Outcome finish(pid_t pid, std::chrono::milliseconds bound);
    // The first of `candidates` that is an executable file; empty when none is.
    static std::string find(const std::vector<std::string>& candidates);
};

} // namespace orvan::winlock
