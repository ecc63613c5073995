#include "support/LinkFixture.h"
#include "wire/DiscoveryMarkers.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvan::test {
namespace {

class ServerLinkTest : public LinkFixture {};

TEST_F(ServerLinkTest, broadcastsEveryTickWhileNoServerAnswers) {
    startWatchdog();
    ASSERT_EQ(fake.udp.sent.size(), 1U);
    EXPECT_EQ(fake.udp.sent[0].host, "255.255.255.255");
    EXPECT_EQ(fake.udp.sent[0].port, 4647);
    EXPECT_EQ(fake.udp.sent[0].bytes, markers::kDiscoveryRequest);
    EXPECT_EQ(fake.udp.boundPort, 4648);
    fake.time.advance(2'000);
    EXPECT_EQ(fake.udp.sent.size(), 5U);
    EXPECT_EQ(context().forms.frmMain.lblConnexionStatus, "Connecting...");
    EXPECT_TRUE(client().lockScreenTimers().tmrNoServCnx().enabled());
}

TEST_F(ServerLinkTest, emptyDiscoveryAnswerConnectsToTheSenderOnTheDefaultPort) {
    fake.store.putString(kServer, "Port", "5000");
    startWatchdog();
    fake.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.2");
    EXPECT_EQ(fake.tcp.connects, std::vector<std::string>{"192.168.1.2:4646"});
    fake.udp.answer(std::string{markers::kDiscoveryAnswer} + "cafe-server", "192.168.1.2");
    EXPECT_EQ(fake.tcp.connects.back(), "cafe-server:4646");
    fake.udp.answer("%$&#SOMETHING-ELSE##whatever", "192.168.1.9");
    EXPECT_EQ(fake.tcp.connects.size(), 2U) << "not the answer marker";
}

TEST_F(ServerLinkTest, manualConnectionUsesTheConfiguredNameAndPort) {
    fake.store.putDword(kServer, "Automatic Server Connection", 0);
    fake.store.putString(kServer, "Name", "10.0.0.5");
    fake.store.putString(kServer, "Port", "5000");
    startWatchdog();
    EXPECT_EQ(fake.tcp.connects, std::vector<std::string>{"10.0.0.5:5000"});
    EXPECT_TRUE(fake.udp.sent.empty());
}

TEST_F(ServerLinkTest, connectionGreetsTheServerAndStopsTheWatchdog) {
    connect();
    const auto sent = takeSent();
    const auto greeting = std::string{"%$&######AppVersion#1009300"} + kEnd +
                          "%$&#WorkstationName#pc-07" + kEnd + "%$&####ComputerName#pc-07" + kSep +
                          "somchai" + kSep + "1" + kSep + "00155D012A3B" + kEnd +
                          "%$&RdyForServScreen#-1" + kEnd;
    EXPECT_EQ(sent.substr(0, greeting.size()), greeting);
    EXPECT_TRUE(context().link.blnConnected);
    EXPECT_TRUE(context().link.blnServerReady);
    EXPECT_FALSE(context().timers.tmrSrvCnxStatus->enabled());
    EXPECT_EQ(context().forms.frmMain.lblConnexionStatus, "Connected");
    EXPECT_EQ(context().forms.frmBlock.imgCnxIndicator, 3);
    EXPECT_GE(fake.udp.closes, 1);
}

TEST_F(ServerLinkTest, greetingCarriesTheBackupDateWhenTheFileExists) {
    fake.files.write("/appdata/OrvanetixClient/server_db_backup.mdb", "db");
    fake.files.setModified("/appdata/OrvanetixClient/server_db_backup.mdb", 0);
    fake.time.setUtcOffset(6 * 3'600'000); // dates on the wire are local
    connect();
    const auto tags = sentTags();
    ASSERT_GE(tags.size(), 6U);
    EXPECT_EQ(tags[3], "%$&RdyForServScreen#");
    EXPECT_EQ(tags[4], "%$&#####DBBackupDte#");
    EXPECT_EQ(tags[5], "%$&WorkstationState#") << "the status reports follow";
    EXPECT_NE(fake.tcp.sent[0].find("%$&#####DBBackupDte#25569.25%"), std::string::npos)
        << fake.tcp.sent[0];
}

TEST_F(ServerLinkTest, unfinishedWizardReportsLockdownAsNotAllowed) {
    fake.store.write(Hive::User, kGeneral, "Config Wizard", std::string{"0"});
    connect();
    EXPECT_NE(takeSent().find(std::string{"somchai"} + kSep + "0" + kSep), std::string::npos);
}

TEST_F(ServerLinkTest, statusReportsFollowEveryHalfSecondInTagOrder) {
    connect();
    takeSent();
    fake.time.advance(500);
    EXPECT_EQ(sentTags(), (std::vector<std::string>{"%$&WorkstationState#", "%$&#####SessionType#",
                                                    "%$&#####ElapsedTime#", "%$&##########UserID#",
                                                    "%$&###ConnectedTime#", "%$&#CnxtTimeOffPeak#",
                                                    "%$&DisconnectedTime#"}))
        << "no session: neither balance nor remaining time";
}

// The report is built in one buffer: every kind of session must still read as the nine
// (or seven, or eight) messages the server parses, byte for byte.
TEST_F(ServerLinkTest, statusReportCarriesEachKindOfSessionsFiguresExactly) {
    connect();
    auto& w = context().workstation;
    auto& s = w.session;
    w.intWksnState = Workstation::kConnected;
    s.strUserID = "123456";
    s.dteElapsedTime = 0.5;
    s.dteRemainingTime = 1.0 / 86'400; // one second
    s.dteRemTimeAparent = 0.25;
    s.dteConnectedTime = 1.5;
    s.dteCnxTimeOffPeak = 0;
    s.dteDisconnectedTime = 2.0 / 3;
    s.sngUserBalance = 12.5F;
    const std::string common = std::string{"%$&WorkstationState#6"} + kEnd;
    const std::string times = std::string{"%$&###ConnectedTime#1.5"} + kEnd +
                              "%$&#CnxtTimeOffPeak#0" + kEnd + "%$&DisconnectedTime#" +
                              "0.666666666666667" + kEnd;
    const auto head = [&](int type) {
        return common + "%$&#####SessionType#" + std::to_string(type) + kEnd +
               "%$&#####ElapsedTime#0.5" + kEnd + "%$&##########UserID#123456" + kEnd;
    };
    const std::string remaining = std::string{"%$&###RemainingTime#1.15740740740741E-05"} + kEnd +
                                  "%$&##RemTimeAparent#0.25" + kEnd;
    const std::vector<std::pair<int, std::string>> expected{
        {0, head(0) + times},
        {1, head(1) + "%$&#####UserBalance#12.5" + kEnd + times},
        {Workstation::kCard, head(Workstation::kCard) + remaining + times},
        {Workstation::kFree, head(Workstation::kFree) + times},
        {Workstation::kMember, head(Workstation::kMember) + remaining + times},
        {5, head(5) + remaining + times},
    };
    for (const auto& [type, bytes] : expected) {
        s.intSessionType = type;
        takeSent();
        client().reports().subUpdateServer();
        EXPECT_EQ(takeSent(), bytes) << "session type " << type;
    }
}

// An unchanged report is sent again as it was; any figure that moves, even by a bit,
// must reach the next one.
TEST_F(ServerLinkTest, statusReportFollowsEveryFigureThatChanges) {
    connect();
    auto& w = context().workstation;
    auto& s = w.session;
    s.intSessionType = 1;
    const auto report = [&] {
        takeSent();
        client().reports().subUpdateServer();
        return takeSent();
    };
    const auto first = report();
    EXPECT_EQ(report(), first);
    const std::vector<std::pair<std::function<void()>, std::string>> changes{
        {[&] { w.intWksnState = Workstation::kConnected; }, "%$&WorkstationState#6"},
        {[&] { s.strUserID = "654321"; }, "UserID#654321"},
        {[&] { s.dteElapsedTime = 0.5; }, "ElapsedTime#0.5"},
        {[&] { s.sngUserBalance = 3.5F; }, "UserBalance#3.5"},
        {[&] { s.dteConnectedTime = 0.25; }, "ConnectedTime#0.25"},
        {[&] { s.dteCnxTimeOffPeak = 0.125; }, "CnxtTimeOffPeak#0.125"},
        {[&] { s.dteDisconnectedTime = 2.0; }, "DisconnectedTime#2"},
        {[&] { s.intSessionType = Workstation::kCard; }, "SessionType#2"},
        {[&] { s.dteRemainingTime = 0.75; }, "RemainingTime#0.75"},
        {[&] { s.dteRemTimeAparent = 1.5; }, "RemTimeAparent#1.5"},
    };
    for (const auto& [change, expected] : changes) {
        change();
        EXPECT_NE(report().find(expected), std::string::npos) << expected;
    }
    // A user ID holding a marker is refused at every report, not only the first.
    s.strUserID = std::string{"12"} + kSep + "34";
    EXPECT_EQ(report(), "");
    EXPECT_EQ(report(), "");
    s.strUserID = "1234";
    EXPECT_NE(report().find("UserID#1234"), std::string::npos);
}

TEST_F(ServerLinkTest, silentServerIsDroppedAndSoughtAgain) {
    connect();
    fake.time.advance(29'000);
    EXPECT_EQ(fake.tcp.state(), TcpSocket::kConnected);
    fake.time.advance(2'000);
    EXPECT_NE(fake.tcp.state(), TcpSocket::kConnected);
    EXPECT_TRUE(context().timers.tmrSrvCnxStatus->enabled());
    EXPECT_FALSE(context().link.blnServerReady);
}

TEST_F(ServerLinkTest, heartbeatsKeepTheLinkUp) {
    connect();
    for (int i = 0; i < 6; ++i) {
        fake.time.advance(10'000);
        serverSends(msg("%$&#ServerHeartBeat#"));
    }
    EXPECT_EQ(fake.tcp.state(), TcpSocket::kConnected);
}

TEST_F(ServerLinkTest, peerCloseStartsReconnecting) {
    connect();
    fake.tcp.peerClose();
    EXPECT_TRUE(context().timers.tmrSrvCnxStatus->enabled());
    EXPECT_FALSE(context().link.blnServerReady);
    fake.time.advance(500);
    EXPECT_FALSE(context().link.blnConnected);
    EXPECT_EQ(context().forms.frmMain.lblConnexionStatus, "Connecting...");
}

TEST_F(ServerLinkTest, networkConfigurationErrorStopsTheWatchdog) {
    fake.tcp.connectError = 10047;
    startWatchdog();
    fake.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.2");
    EXPECT_FALSE(context().timers.tmrSrvCnxStatus->enabled());
    EXPECT_EQ(context().forms.frmMain.lblConnexionStatus, "Network error.");
    ASSERT_FALSE(fake.dialogs.shown.empty());
    EXPECT_EQ(fake.dialogs.shown.back().text.rfind("Network configuration error.", 0), 0U);
}

TEST_F(ServerLinkTest, disabledLinkIgnoresEverythingFromTheNetwork) {
    connect();
    serverSends(msg("%$&#####DisableWksn#", {"1"}));
    EXPECT_TRUE(context().link.blnDisabled);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kBlocked);
    EXPECT_NE(context().forms.frmMsgBox.lblText.find("An internal error has occurred"),
              std::string::npos);
    serverSends(msg("%$&####ActivateWksn#"));
    fake.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.3");
    fake.time.advance(5'000);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kBlocked);
    EXPECT_EQ(fake.tcp.connects.size(), 1U);
}

TEST_F(ServerLinkTest, serverOnThisComputerSwitchesTheLockdownOffWithOneWarning) {
    fake.tcp.remote = fake.tcp.local;
    connect();
    // The lock the login screen took is given back, not kept for the rest of the run.
    using Export = ShellLock::Export;
    using Calls = std::vector<RecordingShellLock::Call>;
    const auto& calls = fake.shellLock.calls;
    ASSERT_GE(calls.size(), 4U);
    EXPECT_EQ(Calls(calls.end() - 4, calls.end()),
              (Calls{{Export::TaskSwitching_Enable_Disable, -1},
                     {Export::CtrlAltDel_Enable_Disable, -1},
                     {Export::Desktop_Show_Hide, -1},
                     {Export::Taskbar_Show_Hide, -1}}));
    EXPECT_TRUE(context().flags.blnTestMode);
    EXPECT_TRUE(context().flags.blnKeepApps);
    EXPECT_TRUE(context().flags.blnNoLockdownReport);
    EXPECT_FALSE(context().forms.frmBlock.topMost);
    const auto warnings = fake.dialogs.shown.size();
    EXPECT_EQ(fake.dialogs.shown.back().style, 16);
    fake.tcp.peerClose();
    fake.time.advance(500);
    fake.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.57");
    fake.tcp.accept();
    fake.time.advance(500);
    EXPECT_EQ(fake.dialogs.shown.size(), warnings) << "once per run";
}

} // namespace
} // namespace orvan::test
