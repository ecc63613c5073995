#include "support/LinkFixture.h"

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

TEST_F(SessionSnapshotTest, serverCanClearTheSnapshot) {
    connect();
    serverSends(msg("%$&EmptySerialzdUsr#"));
    EXPECT_EQ(stored(), "");
}

} // namespace
} // namespace orvan::test
