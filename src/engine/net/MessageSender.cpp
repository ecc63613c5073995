#include "net/MessageSender.h"

#include "core/Log.h"
#include "core/Utf8.h"
#include "platform/TcpSocket.h"

namespace orvan {

MessageSender::MessageSender(Log& log)
    : log_(log) {}

bool MessageSender::funSendData(TcpSocket& socket, std::string_view text, bool logFailure) const {
    if (socket.state() != TcpSocket::kConnected) {
        return false;
    }
    if (socket.send(text)) {
        return true;
    }
    if (logFailure) {
        log_.subWriteLog("modGlobalFunctions.funSendDataError - Data: " +
                         std::string{Utf8::left(text, 20)});
    }
    return false;
}

} // namespace orvan
