#include "base/ServerAddress.h"

#include <gtest/gtest.h>

namespace orvan {
namespace {

TEST(ServerAddressTest, acceptsHostNamesAddressesAndNothing) {
    for (const char* typed : {"", "  ", "cafe-server", "Cafe.Local", "192.168.1.20", " 10.0.0.1 ",
                              "server2", "a.b-c.d"}) {
        EXPECT_TRUE(ServerAddress::acceptable(typed)) << typed;
    }
    for (const char* typed : {"cafe server", "-cafe", "cafe-", "cafe..local", "256.1.1.1",
                              "192.168.1", "1.2.3.4.5", "http://cafe", "cafe:4646", "ร้าน"}) {
        EXPECT_FALSE(ServerAddress::acceptable(typed)) << typed;
    }
    EXPECT_FALSE(ServerAddress::acceptable(std::string(64, 'a') + ".local")) << "label too long";
}

TEST(ServerAddressTest, isStoredWithoutBlanksInLowerCase) {
    EXPECT_EQ(ServerAddress::normalized("  Cafe-Server\t"), "cafe-server");
}

} // namespace
} // namespace orvan
