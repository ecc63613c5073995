#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <unistd.h> // environ
#include <vector>

namespace orvan::bench {

// `base` ("NAME=value" lines, null-terminated) with each of `overrides` in place of
// the line of the same name: a DISPLAY inherited from the harness must never reach
// a program meant for the private display.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides,
                                         char** base = environ);

// A program started by the benchmark, standard output and error in `output`, standard
// input from `input`. Stopped by its process id: politely, then for good once `grace`
// has passed.
class ChildProgram {
public:
    ChildProgram(const std::vector<std::string>& command,
                 const std::vector<std::string>& environment, const std::string& output,
                 std::chrono::milliseconds grace = std::chrono::milliseconds(2000),
                 const std::string& input = "/dev/null");
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Reaps the program if it has ended.
    bool exited();
    void stop();

private:
    pid_t pid_ = -1;
    std::chrono::milliseconds grace_;
};

struct StartupCase {
    std::string title;
    std::vector<std::string> command;
    bool clientSettings = false; // start locked, no server (see StartupSettings.h)
    std::vector<std::string> environment;
};

// Milliseconds from spawning the program on a fresh private Xvfb until a viewable
// top-level window covers the screen, looked for every millisecond; none, with the
// program's output on standard error, when none came within `bound` or it ended.
std::optional<double>
millisToFullScreenWindow(const StartupCase& program,
                         std::chrono::milliseconds bound = std::chrono::seconds(10));

} // namespace orvan::bench
