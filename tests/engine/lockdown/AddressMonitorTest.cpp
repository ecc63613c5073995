#include "lockdown/AddressMonitor.h"

#include "support/ClientFixture.h"
#include "wire/Tags.h"

namespace orvan::test {
namespace {

class AddressMonitorTest : public ClientFixture {
protected:
    void SetUp() override {
        start();
        fake.tcp.socketState = TcpSocket::kConnected;
    }

    // The addresses reported since the last call, as "window caption address".
    std::vector<std::string> pass() {
        fake.tcp.sent.clear();
        client().addressMonitor().tmrURLspy_Timer();
        std::vector<std::string> reports;
        for (const auto& message : fake.tcp.sent) {
            if (message.rfind(tags::kSessionURL, 0) == 0) {
                reports.push_back(message);
            }
        }
        return reports;
    }

    static std::string report(const std::string& window, const std::string& caption,
                              const std::string& address) {
        const std::string token{tags::kPayloadToken};
        return std::string{tags::kSessionURL} + window + token + caption + token + address + token +
               std::string{tags::kMessageEnd};
    }

    std::vector<BrowserWindow>& windows() { return fake.browsers.windows; }
};

TEST_F(AddressMonitorTest, reportsOnlyAddressesThatLookLikeOnes) {
    windows() = {{1, "Page", "https://example.org/"},
                 {2, "Share", "\\\\server\\share"},
                 {3, "Local", "C:\\"},
                 {4, "Short", "a/b"},
                 {5, "Links", std::string{clsInetexplorer::kLinksPage}},
                 {6, std::string{clsInetexplorer::kLinksPage}, "http://elsewhere/"},
                 {7, "No address", ""}};
    EXPECT_EQ(pass(), (std::vector<std::string>{report("1", "Page", "https://example.org/"),
                                                report("2", "Share", "\\\\server\\share")}));
}

TEST_F(AddressMonitorTest, aWindowIsReportedAgainOnlyWhenAddressAndCaptionBothChanged) {
    windows() = {{1, "Home", "http://a.example/"}};
    EXPECT_EQ(pass().size(), 1U);
    EXPECT_TRUE(pass().empty()) << "unchanged";
    windows()[0].address = "http://b.example/";
    EXPECT_TRUE(pass().empty()) << "still loading under the old caption";
    windows()[0].caption = "B";
    EXPECT_EQ(pass(), (std::vector<std::string>{report("1", "B", "http://b.example/")}));
    windows()[0].caption = "C";
    EXPECT_TRUE(pass().empty()) << "caption alone";
}

TEST_F(AddressMonitorTest, sameAddressInTwoWindowsIsReportedForEach) {
    windows() = {{1, "Home", "http://a.example/"}, {2, "Home", "http://a.example/"}};
    EXPECT_EQ(pass().size(), 2U);
    EXPECT_EQ(client().addressMonitor().remembered().count("key: 2"), 1U);
}

TEST_F(AddressMonitorTest, aClosedWindowIsForgottenAndReportedAnewWhenItComesBack) {
    windows() = {{1, "Home", "http://a.example/"}};
    pass();
    windows().clear();
    pass();
    EXPECT_TRUE(client().addressMonitor().remembered().empty());
    windows() = {{1, "Home", "http://a.example/"}};
    EXPECT_EQ(pass().size(), 1U);
}

TEST_F(AddressMonitorTest, aCaptionHoldingAWireMarkerIsNotSentButTheOthersAre) {
    windows() = {{1, std::string{"x"} + std::string{tags::kMessageEnd}, "http://a.example/"},
                 {2, "Fine", "http://b.example/"}};
    EXPECT_EQ(pass(), (std::vector<std::string>{report("2", "Fine", "http://b.example/")}));
}

TEST_F(AddressMonitorTest, aNewSessionForgetsWhatWasReported) {
    windows() = {{1, "Home", "http://a.example/"}};
    pass();
    context().workstation.intWksnState = Workstation::kConnected;
    client().sessionControl().funStartSession();
    EXPECT_TRUE(client().addressMonitor().remembered().empty());
    EXPECT_TRUE(context().timers.tmrURLspy->enabled());
    EXPECT_EQ(pass().size(), 1U);
}

} // namespace
} // namespace orvan::test
