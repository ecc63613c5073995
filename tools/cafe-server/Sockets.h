#pragma once

#include "UniqueFd.h"

#include <cstdint>
#include <netinet/in.h>
#include <string>

namespace orvan::cafe {

// Small IPv4 socket helpers shared by the listener, the discovery responder and the tests.
class Sockets {
public:
    // Throws std::runtime_error for text that is no dotted IPv4 address.
    static sockaddr_in address(const std::string& host, std::uint16_t port);

    static std::string hostOf(const sockaddr_in& address);
    static std::string text(const sockaddr_in& address); // "host:port"

    // A new socket of `type` bound to host:port, non-blocking; throws on failure.
    static UniqueFd bound(int type, const std::string& host, std::uint16_t port);

    static std::uint16_t localPort(int fd);
    static void makeNonBlocking(int fd);

    // The message of errno, prefixed with what failed.
    static std::string failure(const std::string& what);
};

} // namespace orvan::cafe
