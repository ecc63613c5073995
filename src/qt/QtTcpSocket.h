#pragma once

#include "platform/TcpSocket.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>
#include <cstdint>

namespace orvan {

// The Winsock number the engine expects for a Qt socket error:
//   ConnectionRefused 10061, RemoteHostClosed 10054, HostNotFound 11001,
//   SocketAccess 10013, SocketResource 10055, SocketTimeout 10060,
//   DatagramTooLarge 10040, Network 10065 (Qt folds unreachable hosts and networks
//   into it), AddressInUse 10048, SocketAddressNotAvailable 10049,
//   UnsupportedSocketOperation 10045, UnfinishedSocketOperation 10036,
//   Temporary 10035, Operation (wrong state) 40006, anything else 10004.
int winsockErrorNumber(QAbstractSocket::SocketError error);

// An address as dotted IPv4 text; IPv4-mapped IPv6 addresses are unwrapped, other
// IPv6 addresses keep their own notation, a null address gives "".
std::string ipv4Text(const QHostAddress& address);

// The server link over QTcpSocket, on the Qt event loop.
//
// States: Unconnected 0, HostLookup 4, Connecting 6, Connected 7, Closing 8. After
// the peer has closed the state stays 8 and after an error 9, until the next
// connect() or close(), as the socket control the engine was written for did.
//
// Qt's signals are never handed to the engine while Qt is inside them: they are
// recorded at once (the received bytes included) and delivered from the event loop,
// so a handler may close or reconnect freely. Events of a connection that has since
// been closed or replaced are dropped, and close() itself reports nothing.
//
// Connections are IPv4 only, like the discovery broadcast that finds the server.
class QtTcpSocket : public TcpSocket {
public:
    QtTcpSocket();
    ~QtTcpSocket() override;
    QtTcpSocket(const QtTcpSocket&) = delete;
    QtTcpSocket& operator=(const QtTcpSocket&) = delete;

    void setHandlers(Handlers handlers) override;
    int state() const override;
    // An empty host or a port outside 1..65535 gives 10047 (address family not
    // supported), which the engine treats as a configuration error; everything else
    // fails later through onError.
    int connect(const std::string& host, int port) override;
    void close() override;
    bool send(std::string_view bytes) override;

    std::string localAddress() const override;
    std::string remoteAddress() const override;
    std::string localHostName() const override;
    std::string remoteHostName() const override;

private:
    enum class Ending { None, PeerClosed, Failed };

    void abortQuietly();
    void onQtError(QAbstractSocket::SocketError error);
    void onQtDisconnected();
    void peerClosed();
    void postData();
    template <typename Call>
    void deliver(Call call);

    QObject context_; // owns the pending deliveries: they die with the adapter
    QTcpSocket socket_;
    Handlers handlers_;
    std::string host_;
    std::uint64_t generation_ = 0; // bumped by connect() and close()
    Ending ending_ = Ending::None;
    bool aborting_ = false;
};

} // namespace orvan
