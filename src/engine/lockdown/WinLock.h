#pragma once

#include "platform/ShellLock.h"
#include "platform/Timer.h"
#include "wire/MessageSender.h"

#include <array>
#include <cstdint>
#include <memory>

namespace orvan {

struct EngineContext;

// Keeps the customer away from the desktop shell while the lock screen is up, through
// the four switches of the lock library. A switch that fails (the library missing,
// the display refusing a connection, another program holding the keyboard) is tried
// again for as long as the lock screen stays up, and the manager is told once.
class WinLock {
public:
    // A grab held by another program for a moment (a menu closing) is free again soon.
    static constexpr std::int64_t kRetryMillis = 1000;
    // Failures that last this many attempts are no passing contest: the manager is told.
    static constexpr int kAttemptsBeforeNotice = 3;
    // Afterwards less often: what is left (a missing file, a program holding the grab
    // for good) waits for someone to act, and each attempt may wait for the grab.
    static constexpr std::int64_t kSlowRetryMillis = 10000;

    WinLock(EngineContext& context, ShellLock& library);
    ~WinLock();
    WinLock(const WinLock&) = delete;
    WinLock& operator=(const WinLock&) = delete;

    // Each passes -1 for a non-zero flag (show, allow) and 0 for zero (hide, block),
    // and returns the library's result narrowed to 16 bits; 0 when the call failed.
    std::int16_t funToggleTaskbar(int flag);
    std::int16_t funToggleDesktop(int flag);
    std::int16_t funToggleTaskSwitching(int flag);
    std::int16_t funToggleCtrlAltDel(int flag);

    // Locks the shell down when the lock screen is shown; nothing with "-t".
    void engage();
    // Gives the shell back when the lock screen goes. In test mode only a lock taken
    // before test mode began is given back: test mode may start in the middle of a run.
    void release();
    // Whether release() calls the library: always outside test mode, in it only for
    // a lock taken before it began.
    bool engaged() const;
    // Whether every switch of the lock took effect.
    bool complete() const;

private:
    static constexpr std::size_t kSwitches = 4;

    std::int16_t toggle(std::size_t index, int flag);
    bool takeOnce(bool firstTry);
    void onRetry();
    void scheduleRetry();
    void tellManager();
    void stopRetrying();

    EngineContext& context_;
    ShellLock& library_;
    MessageSender sender_;
    std::unique_ptr<Timer> retry_;
    bool engaged_ = false;
    // Switches asked to block that have not taken effect yet.
    std::array<bool, kSwitches> pending_{};
    int failedAttempts_ = 0;
    bool managerTold_ = false;
};

} // namespace orvan
