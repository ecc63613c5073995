#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orvan {

// The TCP link to the cafe server, in the numbering of the socket control the
// protocol was designed around. Bytes cross it unchanged: the engine converts text
// to and from the ANSI code page itself, so that received files stay byte-exact.
class TcpSocket {
public:
    // States.
    static constexpr int kClosed = 0;
    static constexpr int kResolving = 4;
    static constexpr int kConnecting = 6;
    static constexpr int kConnected = 7;
    static constexpr int kClosing = 8;
    static constexpr int kError = 9;
    // Error numbers the engine tells apart (others pass through as they come).
    static constexpr int kErrHostUnreachable = 10065;
    static constexpr int kErrFirstConfiguration = 10041;
    static constexpr int kErrLastConfiguration = 10047;
    static constexpr int kErrConnectionRefused = 10061;
    static constexpr int kErrTimedOut = 10060;
    static constexpr int kErrHostNotFound = 11001;
    static constexpr int kErrWrongState = 40006;

    struct Handlers {
        std::function<void()> onConnect;
        std::function<void(std::string_view bytes)> onData;
        std::function<void()> onClose; // the peer closed the connection
        std::function<void(int number, const std::string& description)> onError;
    };

    virtual ~TcpSocket() = default;

    virtual void setHandlers(Handlers handlers) = 0;
    virtual int state() const = 0;
    // Starts connecting; returns 0, or the error number of a failure found at once.
    virtual int connect(const std::string& host, int port) = 0;
    virtual void close() = 0;
    // Queues the bytes for sending; false on error.
    virtual bool send(std::string_view bytes) = 0;

    // Both ends of the connection, for telling whether the server runs on this computer.
    virtual std::string localAddress() const = 0;
    virtual std::string remoteAddress() const = 0;
    virtual std::string localHostName() const = 0;
    virtual std::string remoteHostName() const = 0;
};

} // namespace orvan
