#include "QtUdpSocket.h"

#include "QtTcpSocket.h"

#include <QHostInfo>
#include <QMetaObject>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QString>

namespace orvan {
namespace {

constexpr int kErrAddressFamily = 10047;
constexpr int kErrAddressNotAvailable = 10049;
constexpr int kErrHostNotFound = 11001;

// The IPv4 destination for a host literal or name, or the error number.
int resolve(const std::string& host, QHostAddress& address) {
    if (host.empty()) {
        return kErrAddressNotAvailable;
    }
    const QString text = QString::fromStdString(host);
    if (text == QLatin1String("255.255.255.255")) {
        address = QHostAddress(QHostAddress::Broadcast);
        return 0;
    }
    if (address.setAddress(text)) {
        bool isIpv4 = false;
        const quint32 ipv4 = address.toIPv4Address(&isIpv4);
        address = QHostAddress(ipv4);
        return isIpv4 ? 0 : kErrAddressFamily;
    }
    const QHostInfo info = QHostInfo::fromName(text);
    if (info.error() != QHostInfo::NoError) {
        return kErrHostNotFound;
    }
    for (const QHostAddress& candidate : info.addresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
            address = candidate;
            return 0;
        }
    }
    return kErrAddressFamily; // the name has IPv6 addresses only
}

} // namespace

QtUdpSocket::QtUdpSocket() {
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QUdpSocket::readyRead, &context_, [this] { readPending(); });
}

QtUdpSocket::~QtUdpSocket() {
    // The socket outlives the members declared after it; it must not call back.
    QObject::disconnect(&socket_, nullptr, &context_, nullptr);
}

void QtUdpSocket::setDatagramHandler(DatagramHandler handler) {
    handler_ = std::move(handler);
}

int QtUdpSocket::sendTo(const std::string& host, int port, std::string_view bytes) {
    if (port < 1 || port > 65535) {
        return kErrAddressFamily;
    }
    QHostAddress address;
    if (const int error = resolve(host, address); error != 0) {
        return error;
    }
    // Qt would bind an unbound socket dual-stack, where IPv4 broadcasts fail.
    if (socket_.state() != QAbstractSocket::BoundState &&
        !socket_.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        const int error = winsockErrorNumber(socket_.error());
        socket_.abort();
        return error;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (socket_.writeDatagram(bytes.data(), size, address, static_cast<quint16>(port)) != size) {
        return winsockErrorNumber(socket_.error());
    }
    return 0;
}

int QtUdpSocket::bind(int port) {
    if (port < 0 || port > 65535) {
        return kErrAddressFamily;
    }
    close();
    if (!socket_.bind(QHostAddress(QHostAddress::AnyIPv4), static_cast<quint16>(port),
                      QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        const int error = winsockErrorNumber(socket_.error());
        socket_.abort();
        return error;
    }
    return 0;
}

void QtUdpSocket::close() {
    socket_.abort();
    ++generation_;
}

int QtUdpSocket::localPort() const {
    return socket_.state() == QAbstractSocket::BoundState ? socket_.localPort() : 0;
}

void QtUdpSocket::readPending() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram();
        if (!datagram.isValid()) {
            return;
        }
        QMetaObject::invokeMethod(
            &context_,
            [this, generation = generation_, bytes = datagram.data(),
             sender = ipv4Text(datagram.senderAddress())] {
                if (generation != generation_) {
                    return; // closed or rebound since it arrived
                }
                const DatagramHandler handler = handler_; // it may replace itself
                if (handler) {
                    handler(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                            sender);
                }
            },
            Qt::QueuedConnection);
    }
}

} // namespace orvan
