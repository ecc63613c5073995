#include "QtUdpSocket.h"

#include "EngineActivity.h"
#include "Ipv4Address.h"

#include <QMetaObject>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvan {
namespace {

// The largest payload an IPv4 datagram can carry.
constexpr std::size_t kLargestDatagram = 65507;

// The IPv4 destination for a host literal or name, or the error number.
int destination(const std::string& host, int port, sockaddr_in& address) {
    if (host.empty()) {
        return Ipv4Address::kErrAddressNotAvailable;
    }
    if (in6_addr ipv6{}; ::inet_pton(AF_INET6, host.c_str(), &ipv6) == 1) {
        return Ipv4Address::kErrAddressFamily;
    }
    return Ipv4Address::resolve(host, port, address);
}

} // namespace

QtUdpSocket::~QtUdpSocket() {
    close();
}

void QtUdpSocket::setDatagramHandler(DatagramHandler handler) {
    handler_ = std::move(handler);
}

int QtUdpSocket::sendTo(const std::string& host, int port, std::string_view bytes) {
    if (port < 1 || port > 65535) {
        return Ipv4Address::kErrAddressFamily;
    }
    sockaddr_in address{};
    if (const int error = destination(host, port, address); error != 0) {
        return error;
    }
    if (fd_ < 0) {
        if (const int error = open(0, false); error != 0) {
            return Ipv4Address::winsockError(error);
        }
    }
    for (;;) {
        const ssize_t sent = ::sendto(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                      reinterpret_cast<const sockaddr*>(&address), sizeof address);
        if (sent >= 0) {
            return 0;
        }
        if (errno != EINTR) {
            return Ipv4Address::winsockError(errno);
        }
    }
}

int QtUdpSocket::bind(int port) {
    if (port < 0 || port > 65535) {
        return Ipv4Address::kErrAddressFamily;
    }
    close();
    const int error = open(port, true);
    return error == 0 ? 0 : Ipv4Address::winsockError(error);
}

int QtUdpSocket::open(int port, bool shared) {
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        return errno;
    }
    const int on = 1;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        (shared && ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) ||
        ::bind(fd_, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
        const int error = errno;
        close();
        return error;
    }
    readable_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(readable_.get(), &QSocketNotifier::activated, &context_,
                     [this] { readPending(); });
    return 0;
}

void QtUdpSocket::close() {
    readable_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    ++generation_;
}

int QtUdpSocket::localPort() const {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

void QtUdpSocket::readPending() {
    std::string buffer(kLargestDatagram, '\0');
    for (;;) {
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t got = ::recvfrom(fd_, buffer.data(), buffer.size(), 0,
                                       reinterpret_cast<sockaddr*>(&from), &size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return; // drained, or an error that a datagram socket can go on after
        }
        QMetaObject::invokeMethod(
            &context_,
            [this, generation = generation_,
             bytes = buffer.substr(0, static_cast<std::size_t>(got)),
             sender = Ipv4Address::text(from)] {
                if (generation != generation_) {
                    return; // closed or rebound since it arrived
                }
                const DatagramHandler handler = handler_; // it may replace itself
                if (handler) {
                    handler(bytes, sender);
                    EngineActivity::note();
                }
            },
            Qt::QueuedConnection);
    }
}

} // namespace orvan
