#pragma once

#include <string>

namespace orvan {

// Where the client keeps things and which overrides it follows. Installed, the program
// runs setgid to its own group, in the C library's secure mode: the person at the
// keyboard chose the environment, so the test builds' overrides are ignored and each
// user's settings live in the protected data folder. A build tree follows them.
class InstallLayout {
public:
    static bool installed();
    // A test build's override from the environment; empty in the installed program.
    static std::string override(const char* name);
    // Installed, a file named after the account (never after $USER, which the customer
    // sets) in the data folder; in a build tree, in the user's configuration folder.
    static std::string userSettingsFile(const std::string& dataFolder);
    // Where the guard listens: its fixed place when installed; in a build tree only
    // where told, so that tests never end a developer's session.
    static std::string guardSocket();
};

} // namespace orvan
