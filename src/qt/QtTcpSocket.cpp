#include "QtTcpSocket.h"

#include "EngineActivity.h"
#include "Ipv4Address.h"

#include <QMetaObject>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvan {
namespace {

constexpr std::size_t kMinRead = 4096;

} // namespace

template <typename Call>
void QtTcpSocket::deliver(Call call) {
    QMetaObject::invokeMethod(
        &context_,
        [this, generation = generation_, call = std::move(call)] {
            if (generation != generation_) {
                return; // the connection it belongs to is gone
            }
            const Handlers handlers = handlers_; // a handler may replace them
            call(handlers);
            EngineActivity::note();
        },
        Qt::QueuedConnection);
}

QtTcpSocket::~QtTcpSocket() {
    release();
}

void QtTcpSocket::setHandlers(Handlers handlers) {
    handlers_ = std::move(handlers);
}

int QtTcpSocket::state() const {
    switch (phase_) {
    case Phase::Resolving:
        return kResolving;
    case Phase::Connecting:
        return kConnecting;
    case Phase::Connected:
        return kConnected;
    case Phase::PeerClosed:
        return kClosing;
    case Phase::Failed:
        return kError;
    default:
        return kClosed;
    }
}

int QtTcpSocket::connect(const std::string& host, int port) {
    if (host.empty() || port < 1 || port > 65535) {
        return Ipv4Address::kErrAddressFamily;
    }
    close();
    host_ = host;
    port_ = port;
    if (sockaddr_in address{}; Ipv4Address::literal(host, port, address)) {
        startConnect(address);
        return 0;
    }
    phase_ = Phase::Resolving;
    lookup_ = HostLookup::start(host, port);
    if (lookup_ == nullptr) {
        fail(ENOMEM);
        return 0;
    }
    lookedUp_ = std::make_unique<QSocketNotifier>(lookup_->fd(), QSocketNotifier::Read);
    QObject::connect(lookedUp_.get(), &QSocketNotifier::activated, &context_,
                     [this] { onLookedUp(); });
    return 0;
}

void QtTcpSocket::close() {
    release();
    ++generation_;
    phase_ = Phase::Closed;
}

void QtTcpSocket::release() {
    readable_.reset();
    writable_.reset();
    lookedUp_.reset();
    lookup_.reset(); // an unfinished lookup frees itself
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    outbox_.clear();
}

void QtTcpSocket::onLookedUp() {
    const auto lookup = std::move(lookup_);
    lookedUp_.reset();
    if (const int error = lookup->error(); error != 0) {
        failWith(error, error == Ipv4Address::kErrAddressFamily ? "Host has no IPv4 address"
                                                                : "Host not found");
        return;
    }
    startConnect(lookup->address());
}

void QtTcpSocket::startConnect(const sockaddr_in& address) {
    phase_ = Phase::Connecting;
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        fail(errno);
        return;
    }
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        fail(errno);
        return;
    }
    writable_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Write);
    QObject::connect(writable_.get(), &QSocketNotifier::activated, &context_,
                     [this] { onWritable(); });
}

void QtTcpSocket::onWritable() {
    if (phase_ == Phase::Connected) {
        if (flushOutbox() && outbox_.empty()) {
            writable_->setEnabled(false);
        }
        return;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        error = errno;
    }
    if (error != 0) {
        fail(error);
        return;
    }
    phase_ = Phase::Connected;
    writable_->setEnabled(false);
    readable_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(readable_.get(), &QSocketNotifier::activated, &context_,
                     [this] { onReadable(); });
    deliver([](const Handlers& handlers) {
        if (handlers.onConnect) {
            handlers.onConnect();
        }
    });
}

// What has arrived, in one read per wake-up as the kernel has gathered it: a large
// file reaches the engine in pieces, and other events get their turn in between.
void QtTcpSocket::onReadable() {
    int available = 0;
    if (::ioctl(fd_, FIONREAD, &available) != 0) {
        available = 0;
    }
    std::string bytes(std::max<std::size_t>(static_cast<std::size_t>(available), kMinRead), '\0');
    ssize_t got = 0;
    do {
        got = ::recv(fd_, bytes.data(), bytes.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            fail(errno);
        }
        return;
    }
    if (got == 0) {
        peerClosed();
        return;
    }
    bytes.resize(static_cast<std::size_t>(got));
    deliver([bytes = std::move(bytes)](const Handlers& handlers) {
        if (handlers.onData) {
            handlers.onData(bytes);
        }
    });
}

// False when the connection failed.
bool QtTcpSocket::flushOutbox() {
    std::size_t sent = 0;
    while (sent < outbox_.size()) {
        const ssize_t wrote =
            ::send(fd_, outbox_.data() + sent, outbox_.size() - sent, MSG_NOSIGNAL);
        if (wrote >= 0) {
            sent += static_cast<std::size_t>(wrote);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            break;
        } else if (errno != EINTR) {
            fail(errno);
            return false;
        }
    }
    outbox_.erase(0, sent);
    return true;
}

bool QtTcpSocket::send(std::string_view bytes) {
    if (phase_ != Phase::Connected) {
        return false;
    }
    const bool waiting = !outbox_.empty();
    outbox_.append(bytes);
    // Straight to the system when nothing waits, so that a close() right after a send
    // still sends the bytes.
    if (!waiting && !flushOutbox()) {
        return false;
    }
    writable_->setEnabled(!outbox_.empty());
    return true;
}

void QtTcpSocket::fail(int error) {
    if (error == ECONNRESET || error == EPIPE) {
        peerClosed();
        return;
    }
    failWith(Ipv4Address::winsockError(error), Ipv4Address::describe(error));
}

void QtTcpSocket::failWith(int number, const std::string& description) {
    release();
    phase_ = Phase::Failed;
    deliver([number, description](const Handlers& handlers) {
        if (handlers.onError) {
            handlers.onError(number, description);
        }
    });
}

void QtTcpSocket::peerClosed() {
    release();
    phase_ = Phase::PeerClosed;
    deliver([](const Handlers& handlers) {
        if (handlers.onClose) {
            handlers.onClose();
        }
    });
}

std::string QtTcpSocket::localAddress() const {
    return phase_ == Phase::Connected ? Ipv4Address::local(fd_) : std::string{};
}

std::string QtTcpSocket::remoteAddress() const {
    return phase_ == Phase::Connected ? Ipv4Address::peer(fd_) : std::string{};
}

std::string QtTcpSocket::localHostName() const {
    char name[HOST_NAME_MAX + 1] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? name : "";
}

std::string QtTcpSocket::remoteHostName() const {
    return host_;
}

} // namespace orvan
