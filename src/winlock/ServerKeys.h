#pragma once

#include "XConnection.h"
#include "XkbRulesNames.h"

#include <optional>
#include <string>

namespace orvan::winlock {

// The X server's own key chords (VT switching, zap, grab breaking), which no grab
// stops: taken off the keymap through its options and given back afterwards.
class ServerKeys {
public:
    bool disable(XConnection& x);
    bool enable(XConnection& x);

private:
    static std::optional<XkbRulesNames> current(XConnection& x);
    static bool apply(const XkbRulesNames& names, const std::string& options);

    // The user's options as they were before the first disable.
    std::optional<std::string> savedOptions_;
};

} // namespace orvan::winlock
