#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvan::winlock {

// The keymap description the X server publishes on the root window: the rules
// file, model, layout, variant and options it was built from.
struct XkbRulesNames {
    std::string rules;
    std::string model;
    std::string layout;
    std::string variant;
    std::string options;

    // From the NUL-separated property value; nullopt when no rules are named.
    static std::optional<XkbRulesNames> parse(const std::string& property);
    // The user's options without any that would free the keyboard from the lock, then
    // the one that takes the server's own chords (VT switch, zap, grab breaking) off the
    // keymap. The user's full list is given back on unlock.
    static std::string withoutServerKeys(const std::string& options);
    // A server-keys choice, a way to end the X server, or a chord that breaks grabs.
    static bool freesTheKeyboard(const std::string& option);
    // Whether the list has the chords that break grabs, which no server setting stops.
    static bool breaksGrabs(const std::string& options);

    // The command that rebuilds this keymap with the given options instead.
    std::vector<std::string> setxkbmapCommand(const std::string& newOptions) const;
};

} // namespace orvan::winlock
