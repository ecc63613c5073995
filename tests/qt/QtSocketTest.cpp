#include "QtTcpSocket.h"
#include "QtUdpSocket.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <utility>
#include <vector>

namespace orvan {
namespace {

// Runs the event loop until done() holds or the time is up; returns done().
bool runUntil(const std::function<bool()>& done, int timeoutMillis = 5000) {
    bool expired = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&expired] { expired = true; });
    deadline.start(timeoutMillis);
    while (!done() && !expired) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// Lets whatever is pending happen, for checking that nothing more is reported.
void settle() {
    runUntil([] { return false; }, 150);
}

std::string everyByteValue() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::string qtBytes(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

class QtTcpSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
        port = server.serverPort();
        socket.setHandlers(recordingHandlers());
    }

    TcpSocket::Handlers recordingHandlers() {
        return {[this] { events.push_back("connect"); },
                [this](std::string_view bytes) { received.append(bytes); },
                [this] {
                    events.push_back("close");
                    receivedAtClose = received;
                },
                [this](int number, const std::string& description) {
                    events.push_back("error " + std::to_string(number));
                    EXPECT_FALSE(description.empty());
                }};
    }

    // Connects the adapter and returns the server's end of the connection.
    QTcpSocket* connectPeer(const std::string& host = "127.0.0.1") {
        const auto connects = std::count(events.begin(), events.end(), "connect");
        EXPECT_EQ(socket.connect(host, port), 0);
        if (!runUntil([&] {
                return server.hasPendingConnections() &&
                       std::count(events.begin(), events.end(), "connect") > connects;
            })) {
            return nullptr;
        }
        return server.nextPendingConnection();
    }

    static std::string readFrom(QTcpSocket& peer, size_t size) {
        std::string bytes;
        runUntil([&] {
            bytes += qtBytes(peer.readAll());
            return bytes.size() >= size || peer.state() != QAbstractSocket::ConnectedState;
        });
        return bytes;
    }

    QTcpServer server;
    quint16 port = 0;
    QtTcpSocket socket;
    std::vector<std::string> events;
    std::string received;
    std::string receivedAtClose;
};

TEST_F(QtTcpSocketTest, ConnectsAndReportsBothEndsOnLoopback) {
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
    EXPECT_EQ(socket.connect("127.0.0.1", port), 0);
    EXPECT_TRUE(socket.state() == TcpSocket::kResolving ||
                socket.state() == TcpSocket::kConnecting);
    ASSERT_TRUE(runUntil([&] { return !events.empty(); }));

    EXPECT_EQ(events, std::vector<std::string>{"connect"});
    EXPECT_EQ(socket.state(), TcpSocket::kConnected);
    EXPECT_EQ(socket.localAddress(), "127.0.0.1");
    EXPECT_EQ(socket.remoteAddress(), "127.0.0.1");
    EXPECT_EQ(socket.remoteHostName(), "127.0.0.1");
    EXPECT_FALSE(socket.localHostName().empty());
    EXPECT_EQ(socket.localHostName(), QHostInfo::localHostName().toStdString());

    // A new connect replaces the current connection; a name is looked up first.
    EXPECT_EQ(socket.connect("localhost", port), 0);
    EXPECT_TRUE(socket.state() == TcpSocket::kResolving ||
                socket.state() == TcpSocket::kConnecting);
    ASSERT_TRUE(runUntil([&] { return events.size() == 2; }));
    EXPECT_EQ(socket.remoteAddress(), "127.0.0.1");
    EXPECT_EQ(socket.remoteHostName(), "localhost");
}

TEST_F(QtTcpSocketTest, BytesCrossUnchangedInBothDirections) {
    std::unique_ptr<QTcpSocket> peer{connectPeer()};
    ASSERT_TRUE(peer);
    const std::string all = everyByteValue();

    ASSERT_TRUE(socket.send(all));
    EXPECT_EQ(readFrom(*peer, all.size()), all);

    peer->write(all.data(), static_cast<qint64>(all.size()));
    ASSERT_TRUE(runUntil([&] { return received.size() >= all.size(); }));
    EXPECT_EQ(received, all);
}

TEST_F(QtTcpSocketTest, SplitAndLargeWritesArriveWholeAndInOrder) {
    std::unique_ptr<QTcpSocket> peer{connectPeer()};
    ASSERT_TRUE(peer);
    std::string big(3 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 31 % 251);
    }

    size_t offset = 0;
    for (size_t piece : {size_t{1}, size_t{255}, size_t{4096}, size_t{1} << 20}) {
        ASSERT_TRUE(socket.send(std::string_view(big).substr(offset, piece)));
        offset += piece;
    }
    ASSERT_TRUE(socket.send(std::string_view(big).substr(offset)));
    EXPECT_TRUE(readFrom(*peer, big.size()) == big);

    for (offset = 0; offset < big.size(); offset += 70001) {
        const auto piece = std::string_view(big).substr(offset, 70001);
        peer->write(piece.data(), static_cast<qint64>(piece.size()));
        peer->flush();
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(runUntil([&] { return received.size() >= big.size(); }));
    EXPECT_TRUE(received == big);
}

TEST_F(QtTcpSocketTest, BytesSentJustBeforeCloseStillLeave) {
    std::unique_ptr<QTcpSocket> peer{connectPeer()};
    ASSERT_TRUE(peer);
    const std::string farewell(20000, '\x80');

    ASSERT_TRUE(socket.send(farewell));
    socket.close();
    EXPECT_EQ(readFrom(*peer, farewell.size() + 1), farewell);
}

TEST_F(QtTcpSocketTest, PeerCloseIsReportedOnceAfterTheLastBytes) {
    std::unique_ptr<QTcpSocket> peer{connectPeer()};
    ASSERT_TRUE(peer);
    const std::string last{"last\0\xff", 6};

    peer->write(last.data(), static_cast<qint64>(last.size()));
    peer->disconnectFromHost();
    ASSERT_TRUE(runUntil([&] { return events.size() == 2; }));
    settle();

    EXPECT_EQ(events, (std::vector<std::string>{"connect", "close"}));
    EXPECT_EQ(receivedAtClose, last);
    EXPECT_EQ(socket.state(), TcpSocket::kClosing);
    EXPECT_FALSE(socket.send("late"));
    socket.close();
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
}

TEST_F(QtTcpSocketTest, OwnCloseReportsNothing) {
    std::unique_ptr<QTcpSocket> peer{connectPeer()};
    ASSERT_TRUE(peer);

    socket.close();
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
    ASSERT_TRUE(runUntil([&] { return peer->state() == QAbstractSocket::UnconnectedState; }));
    // A connect closed before it completes is not reported either.
    EXPECT_EQ(socket.connect("127.0.0.1", port), 0);
    socket.close();
    settle();

    EXPECT_EQ(events, std::vector<std::string>{"connect"});
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
}

TEST_F(QtTcpSocketTest, RefusedConnectionIsError10061UntilClosed) {
    server.close();

    EXPECT_EQ(socket.connect("127.0.0.1", port), 0);
    ASSERT_TRUE(runUntil([&] { return !events.empty(); }));
    settle();

    EXPECT_EQ(events, std::vector<std::string>{"error 10061"});
    EXPECT_EQ(socket.state(), TcpSocket::kError);
    socket.close();
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
}

TEST_F(QtTcpSocketTest, BadAddressesAreRejectedAtOnceAndNothingIsSentUnconnected) {
    EXPECT_FALSE(socket.send("x"));
    EXPECT_EQ(socket.connect("127.0.0.1", 0), 10047);
    EXPECT_EQ(socket.connect("127.0.0.1", -1), 10047);
    EXPECT_EQ(socket.connect("127.0.0.1", 65536), 10047);
    EXPECT_EQ(socket.connect("", port), 10047);
    settle();

    EXPECT_TRUE(events.empty());
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
    EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(QtTcpSocketTest, HandlersMayCloseAndReconnect) {
    auto handlers = recordingHandlers();
    // The engine's answer to a lost link: close, then connect again at once.
    handlers.onClose = [this] {
        events.push_back("close");
        socket.close();
        EXPECT_EQ(socket.connect("127.0.0.1", port), 0);
    };
    socket.setHandlers(handlers);
    std::unique_ptr<QTcpSocket> first{connectPeer()};
    ASSERT_TRUE(first);

    first->disconnectFromHost();
    ASSERT_TRUE(runUntil([&] { return events.size() == 3 && server.hasPendingConnections(); }));
    std::unique_ptr<QTcpSocket> second{server.nextPendingConnection()};
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "close", "connect"}));
    EXPECT_EQ(socket.state(), TcpSocket::kConnected);

    // Closing from a data handler ends the connection's events, the peer's close too.
    handlers.onData = [this](std::string_view bytes) {
        received.append(bytes);
        socket.close();
    };
    socket.setHandlers(handlers);
    second->write("bye");
    second->disconnectFromHost();
    ASSERT_TRUE(runUntil([&] { return !received.empty(); }));
    settle();
    EXPECT_EQ(received, "bye");
    EXPECT_EQ(events.size(), 3U);
    EXPECT_EQ(socket.state(), TcpSocket::kClosed);
}

TEST_F(QtTcpSocketTest, ResetByThePeerIsItsCloseAndALookupClosedEarlyIsSilent) {
    std::unique_ptr<QTcpSocket> peer{connectPeer()};
    ASSERT_TRUE(peer);
    // Lingering for no time makes the close a reset.
    const linger abrupt{1, 0};
    ASSERT_EQ(::setsockopt(static_cast<int>(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                           &abrupt, sizeof abrupt),
              0);
    peer->close();
    ASSERT_TRUE(runUntil([&] { return events.size() == 2; }));
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "close"}));
    EXPECT_EQ(socket.state(), TcpSocket::kClosing);

    // A name is looked up off the event loop; closed meanwhile, nothing follows.
    events.clear();
    EXPECT_EQ(socket.connect("localhost", port), 0);
    EXPECT_EQ(socket.state(), TcpSocket::kResolving);
    socket.close();
    settle();
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(server.hasPendingConnections());
}

class QtUdpSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        receiver.setDatagramHandler([this](std::string_view bytes, const std::string& from) {
            datagrams.emplace_back(bytes, from);
        });
        ASSERT_EQ(receiver.bind(0), 0);
        port = receiver.localPort();
        ASSERT_GT(port, 0);
    }

    QtUdpSocket receiver;
    QtUdpSocket sender;
    int port = 0;
    std::vector<std::pair<std::string, std::string>> datagrams;
};

TEST_F(QtUdpSocketTest, DatagramsArriveWholeWithTheSendersAddress) {
    const std::string all = everyByteValue();

    EXPECT_EQ(sender.sendTo("127.0.0.1", port, all), 0);
    EXPECT_EQ(sender.sendTo("localhost", port, "by name"), 0);
    // The loopback network's broadcast address: sending needs the broadcast option.
    EXPECT_EQ(sender.sendTo("127.255.255.255", port, "broadcast"), 0);
    ASSERT_TRUE(runUntil([&] { return datagrams.size() == 3; }));

    EXPECT_EQ(datagrams[0], std::pair(all, std::string{"127.0.0.1"}));
    EXPECT_EQ(datagrams[1], std::pair(std::string{"by name"}, std::string{"127.0.0.1"}));
    EXPECT_EQ(datagrams[2].first, "broadcast");
}

TEST_F(QtUdpSocketTest, NothingIsDeliveredAfterClose) {
    // The engine closes the socket on the first answer; a second one already received
    // must not follow.
    receiver.setDatagramHandler([this](std::string_view bytes, const std::string& from) {
        datagrams.emplace_back(bytes, from);
        receiver.close();
    });
    EXPECT_EQ(sender.sendTo("127.0.0.1", port, "first"), 0);
    EXPECT_EQ(sender.sendTo("127.0.0.1", port, "second"), 0);
    ASSERT_TRUE(runUntil([&] { return !datagrams.empty(); }));
    EXPECT_EQ(sender.sendTo("127.0.0.1", port, "third"), 0);
    settle();

    ASSERT_EQ(datagrams.size(), 1U);
    EXPECT_EQ(datagrams[0].first, "first");
    EXPECT_EQ(receiver.localPort(), 0);
}

TEST_F(QtUdpSocketTest, FailuresGiveWinsockNumbers) {
    EXPECT_EQ(sender.sendTo("127.0.0.1", 0, "x"), 10047);
    EXPECT_EQ(sender.sendTo("127.0.0.1", 65536, "x"), 10047);
    EXPECT_EQ(sender.sendTo("::1", port, "x"), 10047);
    EXPECT_EQ(sender.sendTo("", port, "x"), 10049);
    EXPECT_EQ(sender.bind(-1), 10047);
    EXPECT_EQ(sender.bind(65536), 10047);

    // A port held by a socket that does not share it cannot be bound.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress(QHostAddress::AnyIPv4), 0, QUdpSocket::DontShareAddress));
    EXPECT_EQ(sender.bind(holder.localPort()), 10048);
    EXPECT_EQ(sender.localPort(), 0);
}

} // namespace
} // namespace orvan
