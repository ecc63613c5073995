#include "wire/MessageSender.h"

#include "base/Log.h"
#include "base/Utf8.h"
#include "platform/AnsiCodec.h"
#include "platform/TcpSocket.h"

namespace orvan {

MessageSender::MessageSender(Log& log, const AnsiCodec& codec)
    : log_(log)
    , codec_(codec) {}

bool MessageSender::funSendData(TcpSocket& socket, std::string_view text, bool logFailure) const {
    if (socket.state() != TcpSocket::kConnected) {
        return false;
    }
    if (socket.send(codec_.toAnsi(text))) {
        return true;
    }
    if (logFailure) {
        log_.subWriteLog("modGlobalFunctions.funSendDataError - Data: " +
                         std::string{Utf8::left(text, 20)});
    }
    return false;
}

} // namespace orvan
