#pragma once

#include "platform/TcpSocket.h"

#include <string>
#include <vector>

namespace orvan::test {

// A TCP socket the test drives: it sets the state, delivers data and closes as the
// server would, and reads what was sent.
class FakeTcpSocket : public TcpSocket {
public:
    void setHandlers(Handlers h) override { handlers = std::move(h); }
    int state() const override { return socketState; }
    int connect(const std::string& host, int port) override {
        connects.push_back(host + ":" + std::to_string(port));
        if (connectError != 0) {
            return connectError;
        }
        socketState = kConnecting;
        return 0;
    }
    void close() override {
        ++closes;
        socketState = kClosed;
    }
    bool send(std::string_view bytes) override {
        if (failSends) {
            return false;
        }
        sent.emplace_back(bytes);
        return true;
    }
    std::string localAddress() const override { return local; }
    std::string remoteAddress() const override { return remote; }
    std::string localHostName() const override { return localName; }
    std::string remoteHostName() const override { return remoteName; }

    // The server's side.
    void accept() {
        socketState = kConnected;
        if (handlers.onConnect) {
            handlers.onConnect();
        }
    }
    void deliver(std::string_view bytes) {
        if (handlers.onData) {
            handlers.onData(bytes);
        }
    }
    void peerClose() {
        socketState = kClosing;
        if (handlers.onClose) {
            handlers.onClose();
        }
    }
    std::string allSent() const {
        std::string all;
        for (const auto& s : sent) {
            all += s;
        }
        return all;
    }

    Handlers handlers;
    int socketState = kClosed;
    int connectError = 0;
    bool failSends = false;
    int closes = 0;
    std::vector<std::string> connects;
    std::vector<std::string> sent;
    std::string local = "192.168.1.57";
    std::string remote = "192.168.1.2";
    std::string localName = "pc-07";
    std::string remoteName = "cafe-server";
};

} // namespace orvan::test
