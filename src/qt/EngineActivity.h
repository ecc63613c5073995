#pragma once

#include <utility>

namespace orvan {

// Whether the engine has run since the front end last brought its windows up to date.
// Every adapter that calls into the engine from the event loop (timers, sockets, the
// program's notifiers) notes it; the front end takes the note when the loop is about
// to wait and skips the sync when nothing ran, which keeps an idle lock screen idle.
class EngineActivity {
public:
    static void note() { ran_ = true; }
    static bool take() { return std::exchange(ran_, false); }

private:
    static inline bool ran_ = true;
};

} // namespace orvan
