#pragma once

#include "AccountBook.h"

#include <cstdint>
#include <string>

namespace orvan::cafe {

// The server's own messages, ready to send (each one closed by the end tag).
class ServerMessages {
public:
    // 1.9.300: the lowest version the workstation accepts from its server.
    static constexpr std::string_view kVersion{"1009300"};

    // Version, date, a default tariff and the three login kinds switched on.
    static std::string greetingAnswer(double now);

    static std::string serverDate(double now);

    // The session number, then the acceptance; or the refusal with its code.
    static std::string sessionAnswer(const AccountBook::Answer& answer);

    // The 21 workstation constants at their defaults, in the order the workstation reads
    // them, with the discovery ports this server actually uses.
    static std::string constants(std::uint16_t udpPortServer, std::uint16_t udpPortWksn);

    static std::string heartbeat();
};

} // namespace orvan::cafe
