#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orvan {

// The datagram socket of server discovery. Failures give the same error numbers as
// the TCP socket (10065 host unreachable, 10041-10047 configuration errors).
class UdpSocket {
public:
    using DatagramHandler = std::function<void(std::string_view bytes, const std::string& sender)>;

    virtual ~UdpSocket() = default;

    virtual void setDatagramHandler(DatagramHandler handler) = 0;
    // Sends one datagram (broadcast addresses allowed); returns 0 or an error number.
    virtual int sendTo(const std::string& host, int port, std::string_view bytes) = 0;
    // Listens on a local port; returns 0 or an error number.
    virtual int bind(int port) = 0;
    virtual void close() = 0;
};

} // namespace orvan
