#pragma once

#include "platform/TcpSocket.h"

#include <string>
#include <vector>

namespace orvan::test {

// A TCP socket whose state the test sets and whose sends are recorded.
class FakeTcpSocket : public TcpSocket {
public:
    int state() const override { return socketState; }
    bool send(std::string_view text) override {
        if (failSends) {
            return false;
        }
        sent.emplace_back(text);
        return true;
    }

    int socketState = kConnected;
    bool failSends = false;
    std::vector<std::string> sent;
};

} // namespace orvan::test
