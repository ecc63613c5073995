#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// The command line of the stand-in server.
struct ServerOptions {
    std::string bindAddress = "0.0.0.0";
    std::uint16_t tcpPort = 4646;
    std::uint16_t udpPort = 4647;     // where discovery requests arrive
    std::uint16_t wksnUdpPort = 4648; // where the workstations wait for the answer
    std::string advertise;            // empty: the workstation uses the answer's sender
    int heartbeatSeconds = 10;        // 0: none
    std::string scriptPath;
    bool quiet = false;
    bool keepRunning = false; // after the script
    bool help = false;

    // Reads the arguments after the program name; returns an error text, empty when fine.
    // Both "--flag value" and "--flag=value" are accepted.
    std::string parse(const std::vector<std::string_view>& args);

    static std::string_view usage();

private:
    static bool takesValue(std::string_view flag);
    std::string set(std::string_view flag, std::string_view value);
};

} // namespace orvan::cafe
