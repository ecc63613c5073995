#include "Ipv4Address.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <system_error>

namespace orvan {
namespace {

sockaddr_in withPort(in_addr host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr = host;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

using NameOf = int (*)(int, sockaddr*, socklen_t*);

std::string nameOf(int fd, NameOf call) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (fd < 0 || call(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        address.sin_family != AF_INET) {
        return {};
    }
    return Ipv4Address::text(address);
}

} // namespace

bool Ipv4Address::literal(const std::string& host, int port, sockaddr_in& address) {
    in_addr parsed{};
    if (::inet_pton(AF_INET, host.c_str(), &parsed) != 1) {
        return false;
    }
    address = withPort(parsed, port);
    return true;
}

int Ipv4Address::resolve(const std::string& host, int port, sockaddr_in& address) {
    if (literal(host, port, address)) {
        return 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) {
        return kErrHostNotFound;
    }
    int error = kErrAddressFamily; // the name has IPv6 addresses only
    for (const addrinfo* each = found; each != nullptr; each = each->ai_next) {
        if (each->ai_family == AF_INET) {
            address = withPort(reinterpret_cast<const sockaddr_in*>(each->ai_addr)->sin_addr, port);
            error = 0;
            break;
        }
    }
    ::freeaddrinfo(found);
    return error;
}

std::string Ipv4Address::text(const sockaddr_in& address) {
    if (address.sin_addr.s_addr == 0) {
        return {};
    }
    char buffer[INET_ADDRSTRLEN] = {};
    return ::inet_ntop(AF_INET, &address.sin_addr, buffer, sizeof buffer) ? buffer : "";
}

std::string Ipv4Address::local(int fd) {
    return nameOf(fd, ::getsockname);
}

std::string Ipv4Address::peer(int fd) {
    return nameOf(fd, ::getpeername);
}

int Ipv4Address::winsockError(int error) {
    switch (error) {
    case ECONNREFUSED:
        return 10061;
    case ECONNRESET:
    case EPIPE:
        return 10054;
    case ETIMEDOUT:
        return 10060;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
        return 10065;
    case EACCES:
    case EPERM:
        return 10013;
    case ENOBUFS:
    case ENOMEM:
    case EMFILE:
    case ENFILE:
        return 10055;
    case EMSGSIZE:
        return 10040;
    case EADDRINUSE:
        return 10048;
    case EADDRNOTAVAIL:
        return kErrAddressNotAvailable;
    case EAFNOSUPPORT:
        return kErrAddressFamily;
    case EOPNOTSUPP:
        return 10045;
    case EINPROGRESS:
    case EALREADY:
        return 10036;
    case EAGAIN:
        return 10035;
    default:
        return 10004;
    }
}

std::string Ipv4Address::describe(int error) {
    return std::error_code(error, std::generic_category()).message();
}

} // namespace orvan
