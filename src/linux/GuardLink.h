#pragma once

#include "GuardProtocol.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace orvan {

// The client's side of the guard: registers with the guard service, then says it is
// alive from a thread of its own, so that a stopped or frozen process falls silent
// while a busy event loop (a grab awaited, a modal box) does not. An event loop that
// stops turning for longer than the hung-loop limit falls silent too: a hung client
// would leave a session unmetered or a lock screen that no longer answers. A guard that is not
// listening yet, or restarted, is registered with as soon as it is. A client that ends
// without farewell() (killed, crashed, its X connection closed) has its login session
// ended by the guard, which brings the lock back with a fresh session.
class GuardLink {
public:
    explicit GuardLink(std::chrono::milliseconds hungLoopLimit = guard::kHungLoopLimit);
    ~GuardLink();
    GuardLink(const GuardLink&) = delete;
    GuardLink& operator=(const GuardLink&) = delete;

    // Registers with the guard at `socketPath` and keeps at it; true when registered
    // at once.
    bool start(const std::string& socketPath);
    // Called by the event loop as it turns, from its own thread.
    void loopTurned();
    // Says the program ends on purpose, then lets go.
    void farewell();

private:
    bool connect();
    bool say(std::string_view line);
    bool loopHung() const;
    void run();
    void stop();
    void disconnect();

    const std::chrono::milliseconds hungLoopLimit_;
    std::atomic<std::chrono::steady_clock::rep> lastTurn_;
    std::string path_;
    std::atomic<int> fd_{-1};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread beater_;
};

} // namespace orvan
