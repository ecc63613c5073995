#include "wire/MessageSender.h"

#include "base/Log.h"
#include "support/FakeSystemInfo.h"
#include "support/FakeTcpSocket.h"
#include "support/Latin1Codec.h"
#include "support/MemoryFileSystem.h"
#include "support/VirtualTime.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

class MessageSenderTest : public ::testing::Test {
protected:
    MessageSenderTest() {
        log.setLogFile("/data/client.log");
        socket.socketState = TcpSocket::kConnected;
    }

    std::string logText() const { return files.read("/data/client.log").value_or(""); }

    VirtualTime time;
    MemoryFileSystem files;
    FakeSystemInfo system;
    Log log{time, files, system};
    Latin1Codec codec;
    MessageSender sender{log, codec};
    FakeTcpSocket socket;
};

TEST_F(MessageSenderTest, sendsOnlyOnAConnectedSocketInTheCodePage) {
    EXPECT_TRUE(sender.funSendData(socket, "caf\xC3\xA9", true));
    EXPECT_EQ(socket.sent.back(), "caf\xE9");
    EXPECT_TRUE(sender.funSendData(socket, "hello", true));
    socket.socketState = TcpSocket::kConnecting;
    EXPECT_FALSE(sender.funSendData(socket, "later", true));
    EXPECT_EQ(socket.sent.size(), 2U);
    EXPECT_EQ(logText(), "") << "not being connected is no error";
}

TEST_F(MessageSenderTest, failedSendLogsTheFirstTwentyCharactersWhenAsked) {
    socket.failSends = true;
    // Thai letters are three bytes each: twenty characters, not twenty bytes.
    const std::string thai = "\xE0\xB8\x81";
    std::string text;
    for (int i = 0; i < 25; ++i) {
        text += thai;
    }
    EXPECT_FALSE(sender.funSendData(socket, "quiet", false));
    EXPECT_EQ(logText(), "");
    EXPECT_FALSE(sender.funSendData(socket, text, true));

    std::string first20;
    for (int i = 0; i < 20; ++i) {
        first20 += thai;
    }
    EXPECT_NE(logText().find("modGlobalFunctions.funSendDataError - Data: " + first20 + "\r\n"),
              std::string::npos);
}

} // namespace
} // namespace orvan::test
