#include "Sockets.h"

#include "UniqueFd.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/socket.h>

namespace orvan::cafe {

sockaddr_in Sockets::address(const std::string& host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        throw std::runtime_error("not an IPv4 address: " + host);
    }
    return address;
}

std::string Sockets::hostOf(const sockaddr_in& address) {
    char host[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, host, sizeof host);
    return host;
}

std::string Sockets::text(const sockaddr_in& address) {
    return hostOf(address) + ':' + std::to_string(ntohs(address.sin_port));
}

UniqueFd Sockets::bound(int type, const std::string& host, std::uint16_t port) {
    const sockaddr_in local = address(host, port);
    UniqueFd fd(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
    if (!fd) {
        throw std::runtime_error(failure("socket"));
    }
    // A restarted server must not wait for the old connections to time out.
    const int on = 1;
    setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        throw std::runtime_error(failure("bind " + host + ':' + std::to_string(port)));
    }
    makeNonBlocking(fd.get());
    return fd;
}

std::uint16_t Sockets::localPort(int fd) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    return ntohs(local.sin_port);
}

void Sockets::makeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

std::string Sockets::failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

} // namespace orvan::cafe
