#include "support/LinkFixture.h"
#include "wire/DiscoveryMarkers.h"

namespace orvan::test {
namespace {

class SessionSnapshotTest : public LinkFixture {
protected:
    std::string stored() {
        const auto read = fake.store.read(Hive::Machine, kGeneral, "Serialized User");
        return read.found() ? std::get<std::string>(read.value) : "<missing>";
    }
    Workstation& workstation() { return context().workstation; }
};

TEST_F(SessionSnapshotTest, connectedWithoutASessionLeavesTwoHundredSpaces) {
    connect();
    fake.time.advance(1'000);
    EXPECT_EQ(stored(), std::string(200, ' '));
}

TEST_F(SessionSnapshotTest, disconnectedSessionIsWrittenEveryTickPaddedToTwoHundred) {
    startWatchdog();
    auto& s = workstation().session;
    s.intSessionType = Workstation::kCard;
    s.strUserID = "123456";
    s.lngSessionID = 42;
    s.dteCreditTime = s.dteRemainingTime = 0.5;
    s.dteValidUntil = context().now() + 1;
    workstation().setState(Workstation::kConnected);
    client().sessionControl().funStartSession();
    fake.time.advance(500);
    const auto text = stored();
    EXPECT_EQ(text.size(), 200U);
    EXPECT_EQ(text.rfind("42#2#", 0), 0U);
    EXPECT_NE(text.find("#123456#"), std::string::npos);
}

TEST_F(SessionSnapshotTest, longLoginIsCutAtTwoHundredCharacters) {
    startWatchdog();
    auto& s = workstation().session;
    s.intSessionType = Workstation::kMember;
    s.strUserID = std::string(300, 'x');
    workstation().setState(Workstation::kConnected);
    client().snapshot().subSerializeUser();
    EXPECT_EQ(stored().size(), 200U);
    EXPECT_EQ(stored().back(), 'x');
}

TEST_F(SessionSnapshotTest, restartDuringAPostpaidSessionShowsItEndedForSettlement) {
    fake.store.putString(kGeneral, "Serialized User",
                         "17#1#0.0416666666666667#0.03125#0#0.0104166666666667#46364.5#23.75" +
                             std::string(100, ' '));
    connect();
    EXPECT_EQ(workstation().intWksnState, Workstation::kSessionEnded);
    EXPECT_EQ(workstation().session.lngSessionID, 17);
    EXPECT_FLOAT_EQ(workstation().session.sngUserBalance, 23.75F);
    EXPECT_NEAR(workstation().session.dteConnectedTime * 1440, 45, 1e-6);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    const auto sent = takeSent();
    EXPECT_NE(sent.find("%$&###SessionResume#2#0#17#1#"), std::string::npos) << sent;
    EXPECT_EQ(stored().rfind("17#1#", 0), 0U) << "an ended session is kept until settled";
}

TEST_F(SessionSnapshotTest, cardSnapshotIsHandedOverButNotResumedLocally) {
    fake.store.putString(kGeneral, "Serialized User", "9#2#0.01#0.01#0#0#46364.5#123456#0.002");
    connect();
    EXPECT_EQ(workstation().intWksnState, Workstation::kWaiting);
    EXPECT_NE(takeSent().find("%$&###SessionResume#2#0#9#2#"), std::string::npos);
}

TEST_F(SessionSnapshotTest, unreadableSnapshotIsLoggedAndCleared) {
    fake.store.putString(kGeneral, "Serialized User", "garbage");
    connect();
    EXPECT_TRUE(logContains("subInitSerializedUser strPostBuffer: 'garbage'"));
    EXPECT_EQ(stored(), std::string(200, ' '));
}

TEST_F(SessionSnapshotTest, failedHandOverKeepsTheSnapshotForTheNextConnection) {
    const std::string card = "9#2#0.01#0.01#0#0#46364.5#123456#0.002";
    fake.store.putString(kGeneral, "Serialized User", card);
    fake.tcp.failSends = true;
    connect();
    EXPECT_EQ(stored(), card) << "the offline usage is not lost";
    EXPECT_TRUE(logContains("subInitSerializedUser: not sent, kept"));

    fake.tcp.failSends = false;
    fake.tcp.peerClose();
    fake.time.advance(2'000);
    EXPECT_EQ(stored(), card) << "kept while disconnected";
    fake.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.2");
    fake.tcp.accept();
    fake.time.advance(500);
    EXPECT_NE(takeSent().find("%$&###SessionResume#2#0#" + card + kEnd), std::string::npos);
    EXPECT_EQ(stored(), std::string(200, ' '));
}

TEST_F(SessionSnapshotTest, onlyWhatTheFormatAllowsIsHandedOver) {
    connect();
    takeSent();
    const std::string head = "9#4#0.01#0.01#0#0#46364.5#";
    const std::string cutNumber = "#1.15740740740741E";
    const std::vector<std::string> allowed{
        "9#2#0.01#0.01#0#0#46364.5#123456#0.002", "9#5#1.15740740740741E-05#0#0#0#46364.5",
        head + std::string(200 - head.size(), 'x'), // a long login cut at 200
        head + std::string(200 - head.size() - cutNumber.size(), 'x') + cutNumber, // cut in it
    };
    for (const auto& value : allowed) {
        fake.store.putString(kGeneral, "Serialized User", value);
        client().snapshot().subInitSerializedUser();
        EXPECT_NE(takeSent().find("%$&###SessionResume#2#0#" + value + kEnd), std::string::npos)
            << value;
    }
    const std::vector<std::string> tampered{
        "9#2#0.01#0.01#0#0#46364.5#123456#0.002" + std::string{kEnd} + "%$&########LockWksn#",
        "9#2#0.01#0.01#0#0#46364.5#bob" + std::string{kSep} + "9#0.002",
        "9#2#lots#0.01#0#0#46364.5#123456#0.002", // text where a number belongs
        "9.5#2#0.01#0.01#0#0#46364.5#123456#0.002",
        "9#2#0.01#0.01#0#0#46364.5#123456#0x2",
        "9#1#0#0#0#0#46364.5#23.75#12", // a field too many
        "9#2#0.01#0.01#0#0#46364.5#123456",
        "99999999999#3#0#0#0#0#46364.5",
    };
    for (const auto& value : tampered) {
        fake.store.putString(kGeneral, "Serialized User", value);
        client().snapshot().subInitSerializedUser();
        EXPECT_EQ(takeSent(), "") << value;
        EXPECT_EQ(stored(), std::string(200, ' ')) << "dropped: " << value;
        EXPECT_TRUE(logContains("subInitSerializedUser strPostBuffer: '" + value + "'"));
    }
    EXPECT_EQ(workstation().intWksnState, Workstation::kWaiting) << "nothing restored";
}

TEST_F(SessionSnapshotTest, serverCanClearTheSnapshot) {
    connect();
    serverSends(msg("%$&EmptySerialzdUsr#"));
    EXPECT_EQ(stored(), "");
}

} // namespace
} // namespace orvan::test
