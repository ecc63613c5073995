#pragma once

#include <string_view>

namespace orvan {

// The TCP link to the cafe server, in the numbering of the socket control the
// protocol was designed around.
class TcpSocket {
public:
    static constexpr int kClosed = 0;
    static constexpr int kResolving = 4;
    static constexpr int kConnecting = 6;
    static constexpr int kConnected = 7;
    static constexpr int kClosing = 8;
    static constexpr int kError = 9;

    virtual ~TcpSocket() = default;

    virtual int state() const = 0;
    // Queues the text (converted to the ANSI code page) for sending; false on error.
    virtual bool send(std::string_view text) = 0;
};

} // namespace orvan
