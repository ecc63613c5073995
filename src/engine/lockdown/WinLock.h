#pragma once

#include "platform/ShellLock.h"

#include <cstdint>

namespace orvan {

struct EngineContext;

// Keeps the customer away from the desktop shell while the lock screen is up, through
// the four switches of the lock library. A missing library is reported and otherwise
// ignored: the lock screen still shows, only the shell stays reachable.
class WinLock {
public:
    WinLock(EngineContext& context, ShellLock& library);

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

private:
    std::int16_t toggle(const char* location, ShellLock::Export which, int flag);

    EngineContext& context_;
    ShellLock& library_;
    bool engaged_ = false;
};

} // namespace orvan
