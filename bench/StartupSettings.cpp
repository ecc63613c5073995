#include "StartupSettings.h"

#include <filesystem>
#include <fstream>

namespace orvan::bench {

namespace {

constexpr const char* kAppKey = "OrvanetixClient";

bool writeFile(const std::string& path, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

// Ends the Constants section. The stand-in server on the loopback at `port`, named
// rather than looked for, so that any free port will do; without the same-computer
// check no box waits for an answer.
std::string serverOnThisComputer(int port) {
    return "\"wksnCheckSamePcAsServer\"=\"0\"\n\n"
           "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Server]\n"
           "\"Automatic Server Connection\"=dword:00000000\n"
           "\"Name\"=\"127.0.0.1\"\n"
           "\"Port\"=\"" +
           std::to_string(port) + "\"\n";
}

} // namespace

std::string machineHiveFile(const std::string& appData) {
    return appData + "/" + kAppKey + "/machine.reg";
}

std::string userHiveFile(const std::string& configHome) {
    return configHome + "/" + kAppKey + "/user.reg";
}

bool writeLockedStartSettings(const std::string& appData, const std::string& configHome,
                              int serverPort) {
    // Without "Config Wizard" in both hives the set-up wizard comes up instead of
    // the lock screen; "wksnStartDelay" (seconds since boot) would hold start-up back
    // on a computer booted less than half a minute ago; "Start active" with "Default
    // State" 2 enters the waiting state, which brings the lock screen up.
    std::string machine = "Windows Registry Editor Version 5.00\n\n"
                          "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\General]\n"
                          "\"Config Wizard\"=\"1\"\n"
                          "\"Current Settings Version\"=\"4\"\n"
                          "\"Workstation Name\"=\"pc-bench\"\n"
                          "\"Default State\"=\"2\"\n\n"
                          "[HKEY_LOCAL_MACHINE\\Software\\OrvanetixClient\\Constants]\n"
                          "\"cnxBroardcastAdr\"=\"127.0.0.1\"\n"
                          "\"wksnStartDelay\"=\"0\"\n";
    if (serverPort > 0) {
        machine += serverOnThisComputer(serverPort);
    }
    const std::string user = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\Software\\OrvanetixClient\\General]\n"
                             "\"Config Wizard\"=\"1\"\n"
                             "\"Start active\"=dword:00000001\n";
    return writeFile(machineHiveFile(appData), machine) &&
           writeFile(userHiveFile(configHome), user);
}

} // namespace orvan::bench
