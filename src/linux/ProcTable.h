#pragma once

#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace orvan {

// What /proc tells of one process.
struct ProcInfo {
    pid_t pid = 0;
    pid_t parent = 0;
    pid_t sessionLeader = 0; // the process session's id
    uid_t uid = 0;
    unsigned long long startTime = 0; // clock ticks after boot: tells a reused id apart
    std::string comm;                 // at most 15 characters; read only without a path
    std::string path;                 // of the executable; empty when it cannot be read
    std::string loginSession;         // logind's session; empty when none

    // The program's file name: from the executable's path, else `comm`.
    std::string executable() const;
};

// Reads processes from a proc file system. Processes vanish while they are read:
// that is not an error, they are simply not there.
class ProcTable {
public:
    explicit ProcTable(std::string root = "/proc")
        : root_(std::move(root)) {}

    // The processes there now; the login sessions of those gone are forgotten.
    std::vector<pid_t> pids() const;
    std::optional<ProcInfo> read(pid_t pid) const;

private:
    std::string loginSessionOf(pid_t pid, unsigned long long startTime) const;

    std::string root_;
    // A process keeps its login session for life: asking logind costs several reads of
    // /proc, so each process is asked once (a reused id has another start time).
    mutable std::map<pid_t, std::pair<unsigned long long, std::string>> sessions_;
};

} // namespace orvan
