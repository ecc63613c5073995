#pragma once

#include "platform/UdpSocket.h"

#include <string>
#include <vector>

namespace orvan::test {

// A datagram socket that records what was sent and bound, and lets the test answer.
class FakeUdpSocket : public UdpSocket {
public:
    struct Datagram {
        std::string host;
        int port;
        std::string bytes;
    };

    void setDatagramHandler(DatagramHandler h) override { handler = std::move(h); }
    int sendTo(const std::string& host, int port, std::string_view bytes) override {
        if (sendError != 0) {
            return sendError;
        }
        sent.push_back({host, port, std::string{bytes}});
        return 0;
    }
    int bind(int port) override {
        if (bindError != 0) {
            return bindError;
        }
        boundPort = port;
        return 0;
    }
    void close() override {
        ++closes;
        boundPort = 0;
    }

    void answer(std::string_view bytes, const std::string& sender) {
        if (handler) {
            handler(bytes, sender);
        }
    }

    DatagramHandler handler;
    std::vector<Datagram> sent;
    int boundPort = 0;
    int closes = 0;
    int sendError = 0;
    int bindError = 0;
};

} // namespace orvan::test
