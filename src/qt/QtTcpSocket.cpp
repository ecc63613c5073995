#include "QtTcpSocket.h"

#include <QByteArray>
#include <QHostInfo>
#include <QMetaObject>
#include <QNetworkProxy>
#include <QString>

namespace orvan {
namespace {

constexpr int kErrAddressFamily = 10047;

} // namespace

int winsockErrorNumber(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061; // WSAECONNREFUSED
    case QAbstractSocket::RemoteHostClosedError:
        return 10054; // WSAECONNRESET
    case QAbstractSocket::HostNotFoundError:
        return 11001; // WSAHOST_NOT_FOUND
    case QAbstractSocket::SocketAccessError:
        return 10013; // WSAEACCES
    case QAbstractSocket::SocketResourceError:
        return 10055; // WSAENOBUFS
    case QAbstractSocket::SocketTimeoutError:
        return 10060; // WSAETIMEDOUT
    case QAbstractSocket::DatagramTooLargeError:
        return 10040; // WSAEMSGSIZE
    case QAbstractSocket::NetworkError:
        return 10065; // WSAEHOSTUNREACH
    case QAbstractSocket::AddressInUseError:
        return 10048; // WSAEADDRINUSE
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049; // WSAEADDRNOTAVAIL
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045; // WSAEOPNOTSUPP
    case QAbstractSocket::UnfinishedSocketOperationError:
        return 10036; // WSAEINPROGRESS
    case QAbstractSocket::TemporaryError:
        return 10035; // WSAEWOULDBLOCK
    case QAbstractSocket::OperationError:
        return TcpSocket::kErrWrongState;
    default:
        return 10004; // WSAEINTR: the call failed for a reason Winsock has no name for
    }
}

std::string ipv4Text(const QHostAddress& address) {
    if (address.isNull()) {
        return {};
    }
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return (isIpv4 ? QHostAddress(ipv4).toString() : address.toString()).toStdString();
}

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
        },
        Qt::QueuedConnection);
}

QtTcpSocket::QtTcpSocket() {
    // The server is on the local network; a proxy configured for the desktop must
    // not come between.
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QTcpSocket::connected, &context_, [this] {
        if (!aborting_) {
            deliver([](const Handlers& handlers) {
                if (handlers.onConnect) {
                    handlers.onConnect();
                }
            });
        }
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &context_, [this] {
        if (!aborting_) {
            postData();
        }
    });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &context_,
                     [this](QAbstractSocket::SocketError error) { onQtError(error); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, &context_,
                     [this] { onQtDisconnected(); });
}

QtTcpSocket::~QtTcpSocket() {
    // The socket outlives the members declared after it; it must not call back.
    QObject::disconnect(&socket_, nullptr, &context_, nullptr);
}

void QtTcpSocket::setHandlers(Handlers handlers) {
    handlers_ = std::move(handlers);
}

int QtTcpSocket::state() const {
    if (ending_ == Ending::Failed) {
        return kError;
    }
    if (ending_ == Ending::PeerClosed) {
        return kClosing;
    }
    switch (socket_.state()) {
    case QAbstractSocket::HostLookupState:
        return kResolving;
    case QAbstractSocket::ConnectingState:
        return kConnecting;
    case QAbstractSocket::ConnectedState:
        return kConnected;
    case QAbstractSocket::ClosingState:
        return kClosing;
    default:
        return kClosed;
    }
}

int QtTcpSocket::connect(const std::string& host, int port) {
    if (host.empty() || port < 1 || port > 65535) {
        return kErrAddressFamily;
    }
    abortQuietly();
    ++generation_;
    ending_ = Ending::None;
    host_ = host;
    socket_.connectToHost(QString::fromStdString(host), static_cast<quint16>(port),
                          QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
    return 0;
}

void QtTcpSocket::close() {
    abortQuietly();
    ++generation_;
    ending_ = Ending::None;
}

bool QtTcpSocket::send(std::string_view bytes) {
    if (state() != kConnected) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (socket_.write(bytes.data(), size) != size) {
        return false;
    }
    // Hand the bytes to the system now, so that a close() right after a send does not
    // discard them with Qt's write buffer.
    socket_.flush();
    return true;
}

std::string QtTcpSocket::localAddress() const {
    return ipv4Text(socket_.localAddress());
}

std::string QtTcpSocket::remoteAddress() const {
    return ipv4Text(socket_.peerAddress());
}

std::string QtTcpSocket::localHostName() const {
    return QHostInfo::localHostName().toStdString();
}

std::string QtTcpSocket::remoteHostName() const {
    const QString peer = socket_.peerName();
    return peer.isEmpty() ? host_ : peer.toStdString();
}

void QtTcpSocket::abortQuietly() {
    aborting_ = true;
    socket_.abort();
    aborting_ = false;
}

void QtTcpSocket::onQtError(QAbstractSocket::SocketError error) {
    // One ending per connection: Qt may follow the first error with more.
    if (aborting_ || ending_ != Ending::None) {
        return;
    }
    if (error == QAbstractSocket::RemoteHostClosedError) {
        peerClosed();
        return;
    }
    ending_ = Ending::Failed;
    const int number = winsockErrorNumber(error);
    const std::string description = socket_.errorString().toStdString();
    deliver([number, description](const Handlers& handlers) {
        if (handlers.onError) {
            handlers.onError(number, description);
        }
    });
}

void QtTcpSocket::onQtDisconnected() {
    if (!aborting_ && ending_ == Ending::None) {
        peerClosed();
    }
}

void QtTcpSocket::peerClosed() {
    ending_ = Ending::PeerClosed;
    postData(); // the last bytes before the close come first
    deliver([](const Handlers& handlers) {
        if (handlers.onClose) {
            handlers.onClose();
        }
    });
}

void QtTcpSocket::postData() {
    QByteArray bytes = socket_.readAll();
    if (bytes.isEmpty()) {
        return;
    }
    deliver([bytes = std::move(bytes)](const Handlers& handlers) {
        if (handlers.onData) {
            handlers.onData(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        }
    });
}

} // namespace orvan
