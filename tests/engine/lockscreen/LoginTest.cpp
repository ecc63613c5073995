#include "model/MsgBoxForm.h"
#include "support/LinkFixture.h"

namespace orvan::test {
namespace {

class LoginTest : public LinkFixture {
protected:
    LoginTest() {
        connect();
        takeSent();
    }
    Workstation& workstation() { return context().workstation; }
    const MsgBoxForm& box() { return context().forms.frmMsgBox; }
    void cardLogin(const std::string& card = "123456") {
        context().forms.frmBlock.txtCardNum = card;
        client().login().subStartConnexion(2, 6, card, "");
    }
};

TEST_F(LoginTest, requestIsSentWithItsFieldsClosedByASeparator) {
    client().login().subStartConnexion(4, 5, "somchai", "pass");
    EXPECT_EQ(takeSent(), std::string{"%$&#####SessionOpen#4"} + kSep + "pass" + kSep + "somchai" +
                              kSep + "5" + kSep + kEnd);
    EXPECT_TRUE(client().login().waiting());
    EXPECT_TRUE(context().forms.frmBlock.busyPointer);
    EXPECT_FALSE(context().forms.frmBlock.txtLoginEnabled);
}

TEST_F(LoginTest, credentialsHoldingAMarkerAreNeitherSentNorCounted) {
    for (const std::string marker : {kEnd, kSep}) {
        client().login().subStartConnexion(4, 6, "bob" + marker, "x");
        client().login().subStartConnexion(4, 6, "bob", "x" + marker + "%$&########LockWksn#");
        EXPECT_EQ(takeSent(), "") << marker;
    }
    EXPECT_FALSE(client().login().waiting());
    EXPECT_EQ(context().intLoginAttempts, 0);
    EXPECT_EQ(box().lblText, "This password cannot be sent to the server: it holds a reserved "
                             "sequence of characters.\r\nPlease contact the manager.");
    EXPECT_TRUE(logContains("a login field holds a wire marker; nothing sent"));
    fake.time.advance(5'000);
    EXPECT_TRUE(context().forms.frmBlock.txtPasswordEnabled) << "the fields come back as usual";
}

TEST_F(LoginTest, acceptedCardStartsTheSessionInTheChosenMode) {
    cardLogin();
    serverSends(msg("%$&#######SessionOK#", {"2", "0.00694444444444444", "46500", "0"}));
    fake.time.advance(100);
    EXPECT_EQ(workstation().intWksnState, Workstation::kConnected);
    EXPECT_EQ(workstation().session.intSessionType, 2);
    EXPECT_EQ(workstation().session.strUserID, "123456");
    EXPECT_TRUE(context().timers.tmrSessionStatus->enabled());
    EXPECT_NE(takeSent().find("%$&WorkstationState#6"), std::string::npos) << "reported at once";
    EXPECT_FALSE(box().loaded);
}

TEST_F(LoginTest, refusalExplainsAndLeavesTheFieldsDisabledForFiveSeconds) {
    cardLogin();
    serverSends(msg("%$&######SessionNOK#", {"2"}));
    fake.time.advance(100);
    EXPECT_EQ(workstation().intWksnState, Workstation::kWaiting);
    EXPECT_EQ(box().lblText, "This card has been barred.\r\nPlease contact the manager.");
    EXPECT_EQ(context().forms.frmBlock.txtCardNum, "");
    EXPECT_FALSE(context().forms.frmBlock.txtCardNumEnabled);
    fake.time.advance(5'000);
    EXPECT_TRUE(context().forms.frmBlock.txtCardNumEnabled);
    EXPECT_FALSE(context().forms.frmBlock.busyPointer);
}

TEST_F(LoginTest, thirdRefusalLocksTheWorkstationAndTellsTheManager) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        cardLogin();
        serverSends(msg("%$&######SessionNOK#", {"1"}));
        fake.time.advance(5'100);
    }
    EXPECT_EQ(workstation().intWksnState, Workstation::kBlocked);
    EXPECT_TRUE(client().lockScreenTimers().tmrUnblock().enabled());
    // Two minutes, of which the last re-enable delay has counted five seconds down.
    EXPECT_NEAR(workstation().dteLockOutLeft, (120.0 - 5.0) / 86'400.0, 1e-9);
    const auto sent = takeSent();
    EXPECT_NE(
        sent.find("%$&#####MessageSend#There has been  3 connexion failures on workstation pc-07"),
        std::string::npos)
        << sent;
    EXPECT_EQ(box().lblText, "The card number that you entered does not seem correct.");
}

TEST_F(LoginTest, silentServerTimesOutAndALateAnswerIsIgnored) {
    cardLogin();
    fake.time.advance(10'900);
    EXPECT_TRUE(client().login().waiting());
    fake.time.advance(200);
    EXPECT_FALSE(client().login().waiting());
    EXPECT_EQ(box().lblText, "The server did not answer in time.\r\nPlease contact the manager.");
    serverSends(msg("%$&#######SessionOK#", {"2", "0.5", "46500", "0"}));
    fake.time.advance(100);
    EXPECT_EQ(workstation().intWksnState, Workstation::kWaiting);
    EXPECT_EQ(workstation().session.dteCreditTime, 0);
}

TEST_F(LoginTest, noServerNoRequest) {
    fake.tcp.peerClose();
    fake.time.advance(500);
    cardLogin();
    EXPECT_EQ(takeSent(), "");
    EXPECT_EQ(context().intLoginAttempts, 0);
    EXPECT_EQ(box().lblText, "The server is not available.\r\nPlease contact the manager.");
}

TEST_F(LoginTest, serverOpenedSessionGoesThroughTheSameRequest) {
    serverSends(msg("%$&#####SessionOpen#", {"4", "pw", "malee"}));
    EXPECT_NE(takeSent().find(std::string{"%$&#####SessionOpen#4"} + kSep + "pw" + kSep + "malee" +
                              kSep + "6"),
              std::string::npos)
        << "default mode 1: connected usage";
}

} // namespace
} // namespace orvan::test
