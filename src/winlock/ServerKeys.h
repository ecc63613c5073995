#pragma once

#include "XConnection.h"
#include "XkbRulesNames.h"

#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>

namespace orvan::winlock {

// The X server's own key chords (VT switching, zap, grab breaking), which no grab
// stops: taken off the keymap through its options and given back afterwards. The
// server serves no other client while it compiles a keymap, so while locked the
// change is only asked for here and made later by the watcher, once the lock window
// is up; calls may come from both threads.
class ServerKeys {
public:
    ~ServerKeys();

    // Takes the chords off now, waiting for setxkbmap.
    bool disable(XConnection& x);
    // Asks for them to be taken off by applyRequested(); false when that could never
    // work (no keymap rules named, no setxkbmap).
    bool request(XConnection& x);
    // Makes the change asked for by request(), if it still is; true when nothing is
    // left to do.
    bool applyRequested(XConnection& x);
    bool requested();
    // Drops a change still asked for.
    void cancel();
    // Drops a change still asked for and gives the user's options back without
    // waiting for setxkbmap: the next change waits for that one first.
    bool enable(XConnection& x);

private:
    bool disableLocked(XConnection& x);
    void finishRestore();
    static std::optional<XkbRulesNames> current(XConnection& x);
    static bool apply(const XkbRulesNames& names, const std::string& options);
    static std::string setxkbmap();

    std::mutex mutex_;
    bool requested_ = false;
    // The user's options as they were before the first disable; kept until they are
    // known to be back.
    std::optional<std::string> savedOptions_;
    // The setxkbmap giving them back, while it may still run.
    pid_t restoring_ = -1;
};

} // namespace orvan::winlock
