#include "TcpListener.h"

#include "Sockets.h"

#include <netinet/tcp.h>
#include <stdexcept>
#include <sys/socket.h>

namespace orvan::cafe {

TcpListener::TcpListener(const std::string& host, std::uint16_t port)
    : fd_(Sockets::bound(SOCK_STREAM, host, port))
    , port_(Sockets::localPort(fd_.get())) {
    if (::listen(fd_.get(), SOMAXCONN) != 0) {
        throw std::runtime_error(Sockets::failure("listen"));
    }
}

std::optional<TcpListener::Accepted> TcpListener::accept() {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    UniqueFd fd(::accept(fd_.get(), reinterpret_cast<sockaddr*>(&peer), &length));
    if (!fd) {
        return std::nullopt;
    }
    Sockets::makeNonBlocking(fd.get());
    // Messages are small and each one is awaited: send them at once.
    const int on = 1;
    setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return Accepted{std::move(fd), Sockets::text(peer)};
}

} // namespace orvan::cafe
