#pragma once

#include "HostLookup.h"
#include "platform/TcpSocket.h"

#include <QObject>
#include <QSocketNotifier>
#include <cstdint>
#include <memory>
#include <netinet/in.h>

namespace orvan {

// The server link: a non-blocking socket watched on the Qt event loop. Qt Network is
// left out on purpose: its proxy and authentication libraries cost start-up time and
// memory, and a plain socket is all the link needs.
//
// States: closed 0, resolving a name 4, connecting 6, connected 7. After the peer has
// closed the state is 8 and after an error 9, until the next connect() or close(), as
// the socket control the engine was written for did. Errors carry the Winsock numbers
// of Ipv4Address::winsockError(); a reset by the peer counts as its close.
//
// Events are never handed to the engine from inside the notifiers: they are recorded
// at once (the received bytes included) and delivered from the event loop, so a
// handler may close or reconnect freely. Events of a connection that has since been
// closed or replaced are dropped, and close() itself reports nothing.
//
// Connections are IPv4 only, like the discovery broadcast that finds the server.
class QtTcpSocket : public TcpSocket {
public:
    QtTcpSocket() = default;
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
    // What the system does not take at once is kept and sent as it drains.
    bool send(std::string_view bytes) override;

    std::string localAddress() const override;
    std::string remoteAddress() const override;
    std::string localHostName() const override;
    std::string remoteHostName() const override;

private:
    enum class Phase { Closed, Resolving, Connecting, Connected, PeerClosed, Failed };

    void release();
    void onLookedUp();
    void startConnect(const sockaddr_in& address);
    void onWritable();
    void onReadable();
    bool flushOutbox();
    void fail(int error);
    void failWith(int number, const std::string& description);
    void peerClosed();
    template <typename Call>
    void deliver(Call call);

    QObject context_; // owns the pending deliveries: they die with the adapter
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    std::shared_ptr<HostLookup> lookup_;
    std::unique_ptr<QSocketNotifier> lookedUp_;
    Phase phase_ = Phase::Closed;
    std::string outbox_; // accepted by send(), not yet taken by the system
    Handlers handlers_;
    std::string host_;
    int port_ = 0;
    std::uint64_t generation_ = 0; // bumped by connect() and close()
};

} // namespace orvan
