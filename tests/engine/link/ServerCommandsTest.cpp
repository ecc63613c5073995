#include "model/MsgBoxForm.h"
#include "support/LinkFixture.h"

#include <cmath>

namespace orvan::test {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

class ServerCommandsTest : public LinkFixture {
protected:
    ServerCommandsTest() { connect(); }
    Workstation& workstation() { return context().workstation; }
    long long seconds(double days) { return std::llround(days * 86'400.0); }
};

TEST_F(ServerCommandsTest, lateSessionAnswerChangesNothing) {
    serverSends(msg("%$&#######SessionOK#", {"2", "0.5", "46500", "0"}));
    EXPECT_EQ(workstation().session.dteRemainingTime, 0);
    EXPECT_EQ(workstation().session.dteCreditTime, 0);
}

TEST_F(ServerCommandsTest, rechargeInsideTheOffPeakWindowDoublesTheApparentTime) {
    fake.time.setLocalDateTime(2026, 12, 8, 23, 0, 0);
    serverSends(msg("%$&###OffPeakParams#", {"50", "0.25", "0.916666666666667"}));
    serverSends(msg("%$&####RechargeCard#", {"0.0208333333333333", "46400"}));
    const auto& s = workstation().session;
    EXPECT_EQ(seconds(s.dteRemainingTime), 30 * 60);
    EXPECT_EQ(seconds(s.dteRemTimeAparent), 60 * 60);
    EXPECT_EQ(seconds(s.dteCreditTime), 30 * 60);
    EXPECT_EQ(s.dteValidUntil, 46400);
}

TEST_F(ServerCommandsTest, rechargeTableAndItsEmptyForm) {
    serverSends(
        msg("%$&DefaultRecharges#", {"0.0208333333333333", "10", "0.0416666666666667", "18"}));
    const auto& recharges = workstation().tariff.udtRecharges;
    ASSERT_EQ(recharges.size(), 2U);
    EXPECT_EQ(seconds(recharges[1].duration), 3600);
    EXPECT_FLOAT_EQ(recharges[1].price, 18.0F);
    EXPECT_TRUE(context().forms.frmBlock.optSelfService.enabled);

    serverSends(msg("%$&DefaultRecharges#"));
    EXPECT_TRUE(recharges.empty());
    EXPECT_FALSE(context().forms.frmBlock.optSelfService.enabled);
    EXPECT_FALSE(context().link.blnDisabled) << "errors in this table are ignored";
}

TEST_F(ServerCommandsTest, tariffMessagesFillTheTariff) {
    serverSends(
        msg("%$&####PostPaidMode#", {"2", "0.0104166666666667", "0.0208333333333333", "1", "0"}) +
        msg("%$&##RatioDisconCon#", {"50"}) +
        msg("%$&##CurrencySymbol#", {"\xA3", "#,##0.00 </currSymbol>"}));
    const auto& t = workstation().tariff;
    EXPECT_EQ(t.intBillingMode, 2);
    EXPECT_EQ(seconds(t.dteIncrement), 15 * 60);
    EXPECT_EQ(t.intRechargeOptim, 1);
    EXPECT_EQ(t.intRatioDisconCon, 50);
    EXPECT_EQ(t.strCurrencySymbol, "£") << "read from the code page";
}

TEST_F(ServerCommandsTest, chatLinesNeedASession) {
    serverSends(msg("%$&#####ChatMessage#", {"hello"}));
    EXPECT_EQ(context().forms.frmStatus.txtWksnChatHist, "");

    serverSends(msg("%$&#####SessionFree#"));
    EXPECT_EQ(workstation().intWksnState, Workstation::kFreeSession);
    workstation().setState(Workstation::kConnected);
    serverSends(msg("%$&#####ChatMessage#", {"hello"}) + msg("%$&#####ChatMessage#", {"again"}));
    const auto& status = context().forms.frmStatus;
    EXPECT_NE(status.txtWksnChatHist.find(": hello\r\n "), std::string::npos);
    EXPECT_TRUE(status.fraChatVisible);
}

TEST_F(ServerCommandsTest, sessionOpenDuringASessionLeavesItRunning) {
    serverSends(msg("%$&#####SessionFree#"));
    context().workstation.session.dteConnectedTime = kMinute;
    serverSends(msg("%$&#####SessionOpen#", {"1", "", ""}));
    fake.time.advance(60'000);
    EXPECT_EQ(workstation().intWksnState, Workstation::kFreeSession);
    EXPECT_EQ(workstation().session.intSessionType, Workstation::kFree);
    EXPECT_GE(workstation().session.dteConnectedTime, kMinute) << "the record was not reset";
    EXPECT_FALSE(context().forms.frmBlock.visible);
    EXPECT_TRUE(logContains("SessionOpen ignored during a session"));
}

TEST_F(ServerCommandsTest, chatLineInAPauseOrOutOfCreditKeepsTheLockScreen) {
    serverSends(msg("%$&#####SessionFree#"));
    for (const int state : {Workstation::kNoCredit, Workstation::kPaused,
                            Workstation::kPausedLocked, Workstation::kPausedFollow}) {
        workstation().setState(state);
        client().lockScreen().refresh();
        context().forms.frmStatus.hide();
        serverSends(msg("%$&#####ChatMessage#", {"hello"}));
        EXPECT_TRUE(context().forms.frmBlock.visible) << "state " << state;
        EXPECT_EQ(workstation().intWksnState, state);
        EXPECT_NE(context().forms.frmStatus.txtWksnChatHist.find(": hello"), std::string::npos);
    }
}

TEST_F(ServerCommandsTest, aFloodOfChatLinesKeepsTheNewestWithinTheLimit) {
    workstation().setState(Workstation::kConnected);
    constexpr auto kMax = StatusForm::kMaxChatHistory;
    std::string burst;
    for (int i = 0; i < 4000; ++i) {
        burst += msg("%$&#####ChatMessage#", {"line " + std::to_string(i) + std::string(60, '.')});
    }
    serverSends(burst);
    const auto& history = context().forms.frmStatus.txtWksnChatHist;
    EXPECT_LE(history.size(), kMax);
    EXPECT_GT(history.size(), kMax - 100) << "only whole old lines fall off";
    EXPECT_EQ(history.substr(0, 1), " ") << "the oldest kept line is whole";
    EXPECT_NE(history.find(": line 3999."), std::string::npos);

    // One line longer than the limit stays, alone and whole.
    const std::string longLine(kMax + 10, 'x');
    serverSends(msg("%$&#####ChatMessage#", {longLine}));
    EXPECT_EQ(history.find("\r\n"), std::string::npos);
    EXPECT_EQ(history.substr(history.size() - longLine.size()), longLine);
}

TEST_F(ServerCommandsTest, unknownTagDoesNotStopTheNextMessage) {
    serverSends(msg("%$&###SomethingNew#", {"x"}) + msg("%$&#######SessionID#", {"77"}));
    EXPECT_EQ(workstation().session.lngSessionID, 77);
    EXPECT_FALSE(context().link.blnDisabled);
}

TEST_F(ServerCommandsTest, badNumberDisablesTheWorkstationAndLogsTheContext) {
    serverSends(msg("%$&#######SessionID#", {"seventy"}) + msg("%$&#######SessionID#", {"8"}));
    EXPECT_TRUE(context().link.blnDisabled);
    EXPECT_EQ(workstation().session.lngSessionID, -1) << "the rest of the call is dropped";
    EXPECT_TRUE(logContains("modFunctions.subProcessServerDataError: #13"));
    EXPECT_TRUE(logContains("modFunctions.subProcessServerDataError: Context: %$&#######SessionID# "
                            "Payload: seventy"));
    EXPECT_NE(context().forms.frmMsgBox.lblText.find("An internal error has occurred"),
              std::string::npos)
        << "shown over the lock screen";
}

TEST_F(ServerCommandsTest, freeSessionThenCloseReturnsToTheLoginScreen) {
    serverSends(msg("%$&#####SessionFree#"));
    EXPECT_TRUE(context().forms.frmMicroStatus.visible);
    serverSends(msg("%$&####SessionClose#"));
    EXPECT_EQ(workstation().intWksnState, Workstation::kWaiting);
    EXPECT_TRUE(context().forms.frmBlock.visible);
}

TEST_F(ServerCommandsTest, pauseLockAndResumeFromTheServer) {
    serverSends(msg("%$&#####SessionFree#") + msg("%$&#######PauseWksn#"));
    EXPECT_EQ(workstation().intWksnState, Workstation::kPaused);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    serverSends(msg("%$&#####UnPauseWksn#"));
    EXPECT_EQ(workstation().intWksnState, Workstation::kFreeSession);
    EXPECT_FALSE(context().forms.frmBlock.visible);
}

TEST_F(ServerCommandsTest, internetNoticesAskOnceAndOnlyInTheirState) {
    workstation().session.intSessionType = Workstation::kCard;
    workstation().session.dteCreditTime = workstation().session.dteRemainingTime = 60 * kMinute;
    workstation().session.dteValidUntil = context().now() + 1;
    workstation().setState(Workstation::kConnected);
    client().sessionControl().funStartSession();
    serverSends(msg("%$&#NotifyNoInetCnx#"));
    auto& box = context().forms.frmMsgBox;
    EXPECT_TRUE(box.visible);
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(workstation().intWksnState, Workstation::kPaused);
    serverSends(msg("%$&#NotifyNoInetCnx#"));
    EXPECT_FALSE(box.loaded) << "not connected usage any more";
    serverSends(msg("%$&###NotifyInetCnx#"));
    EXPECT_TRUE(box.visible);
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(workstation().intWksnState, Workstation::kConnected);
    EXPECT_FALSE(workstation().session.blnNoInetNotified);
}

TEST_F(ServerCommandsTest, serverDateSetsTheOffset) {
    serverSends(msg("%$&######ServerDate#", {std::to_string(context().now() + 0.25)}));
    EXPECT_NEAR(workstation().dteServerOffset, 0.25, 1e-6);
}

} // namespace
} // namespace orvan::test
