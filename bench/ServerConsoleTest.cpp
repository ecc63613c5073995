// How the footprint benchmark drives the stand-in server: on ports of its own so
// that it never meets another run, with console lines that reach it, and waits that
// look only past what was already found, so that a second state cannot be taken for
// one seen earlier.

#include "ServerConsole.h"

#include "ScratchFolder.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvan::bench {
namespace {

using namespace std::chrono_literals;

bool connectTo(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

TEST(ServerConsole, startsOnAFreePortTakesCommandsAndWaitsOnlyForWhatIsNew) {
    ScratchFolder folder("orvan-bench-server");
    ServerConsole first(ORVAN_SERVER_PROGRAM, folder.path());
    ASSERT_GT(first.tcpPort(), 0) << first.output();
    ScratchFolder otherFolder("orvan-bench-server");
    ServerConsole second(ORVAN_SERVER_PROGRAM, otherFolder.path());
    ASSERT_GT(second.tcpPort(), 0) << second.output();
    EXPECT_NE(first.tcpPort(), second.tcpPort());

    ASSERT_TRUE(connectTo(first.tcpPort()));
    EXPECT_TRUE(first.waitFor("connected from 127.0.0.1", 5s)) << first.output();
    EXPECT_FALSE(first.waitFor("connected from 127.0.0.1", 300ms)) << "found the same line twice";
    ASSERT_TRUE(connectTo(first.tcpPort()));
    EXPECT_TRUE(first.waitFor("connected from 127.0.0.1", 5s));

    ASSERT_TRUE(first.type("accounts"));
    EXPECT_TRUE(first.waitFor("123456", 5s)) << first.output();
    ASSERT_TRUE(first.type("quit"));
    EXPECT_FALSE(first.waitFor("never written", 5s));
    EXPECT_FALSE(first.type("list")) << "a server that quit still took a line";
}

} // namespace
} // namespace orvan::bench
