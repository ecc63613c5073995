#pragma once

#include <string_view>

namespace orvan {

class AnsiCodec;
class Log;
class TcpSocket;

// Sends whole messages to the server, without retrying and without bothering anyone.
class MessageSender {
public:
    MessageSender(Log& log, const AnsiCodec& codec);

    // True when the socket was connected and took the text (in the ANSI code page).
    bool funSendData(TcpSocket& socket, std::string_view text, bool logFailure) const;

private:
    Log& log_;
    const AnsiCodec& codec_;
};

} // namespace orvan
