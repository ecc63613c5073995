#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace orvan {

// A program of the customer that a test starts: it says its process id once it is
// up. Detached, it is nobody's child here (the client's own children are spared);
// with `uid` it runs as that user. Ended with SIGKILL when the test is done.
class HelperProcess {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        bool detach = true;
        uid_t uid = static_cast<uid_t>(-1);
    };

    explicit HelperProcess(const Start& start);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    // Running, and not merely waiting to be reaped.
    bool alive() const;
    // Polls until the process has ended; false when it still runs after two seconds.
    bool endsSoon() const;

private:
    pid_t pid_ = -1;
    pid_t child_ = -1;
    bool detached_ = true;
};

} // namespace orvan
