#include "model/MsgBoxForm.h"
#include "support/LinkFixture.h"
#include "wire/WireFormat.h"

namespace orvan::test {
namespace {

using Control = BlockForm::Control;

class LoginPanelTest : public LinkFixture {
protected:
    LoginPanelTest() {
        connect();
        takeSent();
    }
    BlockForm& block() { return context().forms.frmBlock; }
    LoginPanel& panel() { return client().loginPanel(); }
    std::string sent() { return takeSent(); }
    void typeCard(const std::string& number) {
        panel().optCard_Click();
        panel().txtCardNum_Change(number, static_cast<int>(number.size()));
    }
};

TEST_F(LoginPanelTest, cardFieldKeepsDigitsOnlyAndTheCaretWithThem) {
    EXPECT_EQ(panel().txtCardNum_Change("12a3", 3), 2) << "after the 2: the a is gone";
    EXPECT_EQ(block().txtCardNum, "123");
    EXPECT_TRUE(block().txtCardNumToolTipVisible);
    panel().txtCardNum_LostFocus();
    EXPECT_FALSE(block().txtCardNumToolTipVisible);
    EXPECT_EQ(panel().txtCardNum_Change("๑2ก3", 4), 2) << "Thai digits are not card digits";
    EXPECT_EQ(block().txtCardNum, "23");
    EXPECT_TRUE(block().txtCardNumToolTipVisible);
    panel().txtCardNum_LostFocus();
    panel().txtCardNum_Change("456", 3);
    EXPECT_FALSE(block().txtCardNumToolTipVisible);
}

TEST_F(LoginPanelTest, loginFieldRefusesTheEighteenCharacters) {
    EXPECT_EQ(panel().txtLogin_Change("a/b", 2), 1);
    EXPECT_EQ(block().txtLogin, "ab");
    EXPECT_TRUE(block().txtLoginToolTipVisible);
    panel().txtLogin_Change("\\?/:*<>|\" '#~จ^`%$ok", 22);
    EXPECT_EQ(block().txtLogin, "ok");
    panel().txtLogin_Change("สมชาย_1", 7);
    EXPECT_EQ(block().txtLogin, "สมชาย_1") << "other Thai letters are fine";
}

TEST_F(LoginPanelTest, choosingTheKindShowsItsFieldAndPicture) {
    panel().OptClient_Click();
    EXPECT_TRUE(block().fraClientVisible);
    EXPECT_FALSE(block().fraCardNumberVisible);
    EXPECT_EQ(block().cmdCxnPicture, 2);
    EXPECT_EQ(block().focus, Control::txtLogin);
    EXPECT_FALSE(block().cmdCxnEnabled) << "no login typed yet";
    panel().optSelfService_Click();
    EXPECT_FALSE(block().fraClientVisible || block().fraCardNumberVisible);
    EXPECT_EQ(block().cmdCxnPicture, 3);
    EXPECT_TRUE(block().cmdCxnEnabled);
    context().link.blnConnected = false;
    panel().optCard_Click();
    panel().txtCardNum_Change("123456", 6);
    EXPECT_FALSE(block().cmdCxnEnabled) << "nobody to ask";
    block().optCard.enabled = false; // the server withdrew card logins
    panel().OptClient_Click();
    panel().optCard_Click();
    EXPECT_FALSE(block().optCard.value);
}

TEST_F(LoginPanelTest, cardNumbersOtherThanSixSignificantDigitsNeverReachTheServer) {
    for (const char* number : {"012345", "1234567", "12345678901", "99999999999", "12345"}) {
        SCOPED_TRACE(number);
        sent();
        typeCard(number);
        panel().cmdCxn_Click();
        EXPECT_EQ(sent(), "");
        EXPECT_EQ(context().forms.frmMsgBox.lblText,
                  "The card number that you entered does not seem correct.");
        EXPECT_EQ(block().focus, Control::txtCardNum);
        EXPECT_EQ(context().intLoginAttempts, 0);
        context().forms.frmMsgBox.unload();
    }
    EXPECT_TRUE(LoginPanel::validCardNumber("100000"));
    EXPECT_FALSE(LoginPanel::validCardNumber("+12345"));
}

TEST_F(LoginPanelTest, connectSendsKindModeIdentifierAndSecret) {
    typeCard("123456");
    panel().optDisconnected_Click();
    panel().cmdCxn_Click();
    EXPECT_NE(sent().find("%$&#####SessionOpen#2%$&####PayloadToken#%$&####PayloadToken#123456"
                          "%$&####PayloadToken#5%$&####PayloadToken#"),
              std::string::npos);
    fake.time.advance(11'000); // no answer
    fake.time.advance(5'000);

    panel().OptClient_Click();
    panel().txtLogin_Change("SomChai", 7);
    panel().txtPassword_Change("Pa55");
    panel().optConnected_Click();
    panel().cmdCxn_Click();
    EXPECT_NE(sent().find("SessionOpen#4%$&####PayloadToken#Pa55%$&####PayloadToken#somchai"
                          "%$&####PayloadToken#6"),
              std::string::npos);
}

TEST_F(LoginPanelTest, passwordHoldingAMarkerIsRefusedAndNeverReachesTheWire) {
    panel().OptClient_Click();
    panel().txtLogin_Change("somchai", 7);
    for (const std::string marker : {kEnd, kSep}) {
        panel().txtPassword_Change("pw" + marker + "%$&########LockWksn#");
        panel().cmdCxn_Click();
        EXPECT_EQ(sent(), "") << marker;
        EXPECT_EQ(context().forms.frmMsgBox.lblText,
                  "This password cannot be sent to the server: it holds a reserved sequence of "
                  "characters.\r\nPlease contact the manager.");
        EXPECT_EQ(block().txtPassword, "");
        EXPECT_EQ(block().focus, Control::txtPassword);
    }
    EXPECT_EQ(context().intLoginAttempts, 0) << "nothing was asked of the server";

    // Pieces of a marker are an ordinary password; the server cuts exactly one request.
    panel().txtPassword_Change("pw%$&####");
    panel().cmdCxn_Click();
    const auto messages = WireFormat::funSplit(sent(), kEnd);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0].substr(0, 20), "%$&#####SessionOpen#");
    EXPECT_EQ(WireFormat::funSplit(messages[0].substr(20), kSep),
              (std::vector<std::string>{"4", "pw%$&####", "somchai", "6"}));
}

TEST_F(LoginPanelTest, emptyFieldMeansNothingHappens) {
    panel().optCard_Click();
    panel().cmdCxn_Click();
    panel().OptClient_Click();
    panel().cmdCxn_Click();
    EXPECT_EQ(sent(), "");
    EXPECT_FALSE(context().forms.frmMsgBox.loaded);
}

} // namespace
} // namespace orvan::test
