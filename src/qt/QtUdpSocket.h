#pragma once

#include "platform/UdpSocket.h"

#include <QObject>
#include <QSocketNotifier>
#include <cstdint>
#include <memory>

namespace orvan {

// The discovery socket: a non-blocking IPv4 datagram socket watched on the Qt event
// loop (discovery is an IPv4 broadcast), allowed to broadcast.
//
// Error numbers: a port outside 1..65535 (0..65535 for bind) or an IPv6 destination
// 10047, an empty host 10049, a name that does not resolve 11001; socket failures as
// Ipv4Address::winsockError() maps them (10065 unreachable, 10048 port in use, ...).
// Names are resolved synchronously: discovery sends to an address literal, so the
// lookup only runs when the broadcast address has been configured as a name.
//
// Datagrams reach the handler from the event loop, never from inside the notifier,
// and none arrives after close().
class QtUdpSocket : public UdpSocket {
public:
    QtUdpSocket() = default;
    ~QtUdpSocket() override;
    QtUdpSocket(const QtUdpSocket&) = delete;
    QtUdpSocket& operator=(const QtUdpSocket&) = delete;

    void setDatagramHandler(DatagramHandler handler) override;
    // Sends from the bound port, or from a port of the system's choice when unbound.
    int sendTo(const std::string& host, int port, std::string_view bytes) override;
    // Shares the port with other listeners, as discovery on one computer may need.
    int bind(int port) override;
    void close() override;

    // The local port, 0 when the socket is closed (binding port 0 picks one).
    int localPort() const;

private:
    // 0, or the errno of the failure; the socket stays closed then.
    int open(int port, bool shared);
    void readPending();

    QObject context_; // owns the pending deliveries: they die with the adapter
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> readable_;
    DatagramHandler handler_;
    std::uint64_t generation_ = 0; // bumped by bind() and close()
};

} // namespace orvan
