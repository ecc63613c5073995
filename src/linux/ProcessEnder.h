#pragma once

#include "ProcTable.h"

#include <chrono>

namespace orvan {

// Ends a process through a pidfd, so that a process id reused since it was looked at
// is never hit: SIGTERM first, SIGKILL when it is still there after `grace`.
class ProcessEnder {
public:
    explicit ProcessEnder(std::chrono::milliseconds grace)
        : grace_(grace) {}

    // `process` as read before; false when it is gone or was replaced meanwhile, or
    // refuses the signal.
    bool end(const ProcInfo& process, const ProcTable& table) const;

private:
    static bool waitForExit(int pidfd, std::chrono::milliseconds bound);

    std::chrono::milliseconds grace_;
};

} // namespace orvan
