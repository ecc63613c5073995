#pragma once

#include <string_view>

namespace orvan {

class Log;
class TcpSocket;

// Sends whole messages to the server, without retrying and without bothering anyone.
class MessageSender {
public:
    explicit MessageSender(Log& log);

    // True when the socket was connected and took the text.
    bool funSendData(TcpSocket& socket, std::string_view text, bool logFailure) const;

private:
    Log& log_;
};

} // namespace orvan
