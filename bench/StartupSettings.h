#pragma once

#include <string>

namespace orvan::bench {

// Settings files that make the client start straight into its lock screen with no
// server about: set up, active at start, no wait after boot, and discovery kept on
// the loopback. `appData` stands for ORVAN_COMMON_APPDATA, `configHome` for
// XDG_CONFIG_HOME. With a `serverPort`, the client connects to a server on this
// computer at that port instead of looking for one, and takes it as any other server.
// False when a file cannot be written.
bool writeLockedStartSettings(const std::string& appData, const std::string& configHome,
                              int serverPort = 0);

// Where the client reads them, for the same two folders.
std::string machineHiveFile(const std::string& appData);
std::string userHiveFile(const std::string& configHome);

} // namespace orvan::bench
