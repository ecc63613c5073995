#pragma once

#include <netinet/in.h>
#include <string>

namespace orvan {

// IPv4 addresses for the sockets, and the Winsock numbers the engine expects for
// system errors. The client speaks IPv4 only, like the discovery broadcast that
// finds the server.
class Ipv4Address {
public:
    // The Winsock numbers the sockets give for addresses they cannot use.
    static constexpr int kErrAddressFamily = 10047;
    static constexpr int kErrAddressNotAvailable = 10049;
    static constexpr int kErrHostNotFound = 11001;

    // The address of a dotted literal or a name, with `port`; returns 0, 11001 for a
    // name that does not resolve, or 10047 for one with IPv6 addresses only. Names
    // are looked up synchronously.
    static int resolve(const std::string& host, int port, sockaddr_in& address);
    // The address of a dotted literal; false for anything else.
    static bool literal(const std::string& host, int port, sockaddr_in& address);
    // Dotted text, "" for the null address.
    static std::string text(const sockaddr_in& address);
    // The socket's own or its peer's address, "" when it has none.
    static std::string local(int fd);
    static std::string peer(int fd);

    // The Winsock number for an errno: ECONNREFUSED 10061, ECONNRESET 10054,
    // ETIMEDOUT 10060, ENETUNREACH and EHOSTUNREACH 10065, EACCES 10013, ENOBUFS
    // (and running out of memory or descriptors) 10055, EMSGSIZE 10040, EADDRINUSE
    // 10048, EADDRNOTAVAIL 10049, EAFNOSUPPORT 10047, EOPNOTSUPP 10045, EINPROGRESS
    // 10036, EAGAIN 10035, anything else 10004 (a failure Winsock has no name for).
    static int winsockError(int error);
    static std::string describe(int error);
};

} // namespace orvan
