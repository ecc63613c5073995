#include "localization/Localization.h"
#include "support/FakeTrayIcon.h"
#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

class StatusWindowsTest : public SessionFixture {
protected:
    static constexpr std::int64_t kSecond = 1'000;

    StatusWindows& windows() { return client().statusWindows(); }
    StatusForm& full() { return context().forms.frmStatus; }
    StatusForm& small() { return context().forms.frmSmallStatus; }
    MsgBoxForm& box() { return context().forms.frmMsgBox; }
    void seconds(std::int64_t count) { fake.time.advance(count * kSecond); }
    std::string res(long id) { return context().localization.funLoadResString(id); }

    void SetUp() override { seconds(5); } // the splash has closed

    void connectedCardSession(const std::string& userId = "4711-0815") {
        fake.tcp.socketState = TcpSocket::kConnected;
        openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
        session().strUserID = userId;
        fake.tcp.sent.clear();
    }
    void type(const std::string& text) { windows().txtWksnChat_Change(text); }
};

TEST_F(StatusWindowsTest, fullWindowGivesWayToTheSmallOneAMinuteAfterTheLastAction) {
    connectedCardSession();
    seconds(59);
    EXPECT_TRUE(full().visible);
    windows().cmdChatOpen_Click();
    seconds(59);
    type("hel");
    seconds(59);
    windows().txtWksnChatHist_Click();
    seconds(59);
    EXPECT_TRUE(full().visible) << "each action started the minute over";
    seconds(1);
    EXPECT_FALSE(full().visible);
    EXPECT_TRUE(small().visible);
    EXPECT_FALSE(context().timers.tmrHideStatus->enabled());
}

TEST_F(StatusWindowsTest, closedChatPaneKeepsTheWindowUntilHidden) {
    connectedCardSession();
    windows().lblChat_DblClick();
    EXPECT_TRUE(full().fraChatVisible);
    windows().lblChat_DblClick();
    EXPECT_FALSE(full().fraChatVisible);
    seconds(600);
    EXPECT_TRUE(full().visible);
    windows().cmdClose_Click();
    EXPECT_FALSE(full().visible);
    EXPECT_TRUE(small().visible);
    windows().frmSmallStatus_ShowFull();
    EXPECT_TRUE(full().visible);
    EXPECT_FALSE(small().visible);
    seconds(60);
    EXPECT_FALSE(full().visible) << "showing it again starts the auto-hide";
}

TEST_F(StatusWindowsTest, closingTheWindowByItsFrameShrinksItToTheSmallOne) {
    connectedCardSession();
    windows().Form_Close();
    EXPECT_FALSE(full().visible);
    EXPECT_TRUE(small().visible);
}

TEST_F(StatusWindowsTest, chatLineGoesToTheServerWithoutTheSenderAndIntoTheHistoryWithIt) {
    connectedCardSession();
    windows().cmdChat_Click();
    EXPECT_TRUE(fake.tcp.sent.empty()) << "nothing typed, nothing sent";
    EXPECT_EQ(full().txtWksnChatHist, "");

    type("Can I print?");
    windows().cmdChat_Click();
    EXPECT_EQ(fake.tcp.allSent(), "%$&#####ChatMessage#Can I print?%$&######MessageEnd#");
    EXPECT_EQ(full().txtWksnChatHist, " " + res(10349) + " (4711-0815): Can I print?");
    EXPECT_EQ(full().txtWksnChat, "");

    windows().receiveChat("Yes, at the counter");
    EXPECT_EQ(full().txtWksnChatHist, " " + res(10349) + " (4711-0815): Can I print?\r\n " +
                                          res(10350) + ": Yes, at the counter");
}

TEST_F(StatusWindowsTest, senderNameCutsLoginsLongerThanTenCharacters) {
    connectedCardSession("somchai-abc");
    EXPECT_EQ(windows().funSenderName(), res(10349) + " (somchai-ab...)");
    session().strUserID = "somchai-ab";
    EXPECT_EQ(windows().funSenderName(), res(10349) + " (somchai-ab)");
    session().strUserID = "สมชาย-ใจดีมาก";
    EXPECT_EQ(windows().funSenderName(), res(10349) + " (สมชาย-ใจดี...)") << "characters, not bytes";
    session().intSessionType = Workstation::kSelfServicePrepaid;
    EXPECT_EQ(windows().funSenderName(), res(10349));
}

TEST_F(StatusWindowsTest, markersAreTakenOutOfTheChatTextEvenWhereRemovalJoinsNewOnes) {
    EXPECT_EQ(StatusWindows::funChatText("a%$&######MessageEnd#b"), "ab");
    EXPECT_EQ(StatusWindows::funChatText("%$&###%$&######MessageEnd####MessageEnd#x"), "x");
    EXPECT_EQ(StatusWindows::funChatText("file%$&####PayloadToken#name"), "filename");

    connectedCardSession();
    type("hi%$&######MessageEnd#%$&#####ChatMessage#spoof");
    windows().cmdChat_Click();
    EXPECT_EQ(fake.tcp.allSent(),
              "%$&#####ChatMessage#hi%$&#####ChatMessage#spoof%$&######MessageEnd#")
        << "one message: the server cuts only at the end tag";
}

TEST_F(StatusWindowsTest, withoutTheServerTheChatButtonStaysOff) {
    fake.tcp.socketState = TcpSocket::kClosed;
    openPrepaid(Workstation::kCard, Workstation::kConnected, 30 * kMinute);
    EXPECT_FALSE(full().cmdChatEnabled);
    EXPECT_FALSE(full().cmdCliPasswordEnabled);
    type("hello");
    windows().cmdChat_Click();
    EXPECT_TRUE(fake.tcp.sent.empty());
    windows().cmdCliPassword_Click();
    EXPECT_FALSE(context().forms.frmPasswdChange.visible);
}

TEST_F(StatusWindowsTest, memberPasswordButtonOpensTheDialogAndTheWindowWaitsForIt) {
    fake.tcp.socketState = TcpSocket::kConnected;
    openPrepaid(Workstation::kMember, Workstation::kConnected, 30 * kMinute);
    windows().cmdCliPassword_Click();
    EXPECT_TRUE(context().forms.frmPasswdChange.visible);
    EXPECT_TRUE(context().forms.frmPasswdChange.modal);
    seconds(180);
    EXPECT_TRUE(full().visible);
    context().forms.frmPasswdChange.unload();
    seconds(60);
    EXPECT_FALSE(full().visible);
}

TEST_F(StatusWindowsTest, chatFromTheManagerOpensThePaneAndBringsTheFullWindowBack) {
    connectedCardSession();
    windows().cmdClose_Click();
    const auto focus = full().txtWksnChatFocusRequests;
    windows().receiveChat("Hello");
    EXPECT_TRUE(full().visible);
    EXPECT_FALSE(small().visible);
    EXPECT_TRUE(full().fraChatVisible);
    EXPECT_GT(full().txtWksnChatFocusRequests, focus);
    EXPECT_TRUE(context().timers.tmrHideStatus->enabled());
}

TEST_F(StatusWindowsTest, pauseAndQuitAskFirstAndAnswerNoByDefault) {
    connectedCardSession();
    windows().cmdPause_Click();
    EXPECT_EQ(box().lblText, res(10204));
    EXPECT_EQ(box().defaultButton, MsgBoxButton::cmdNo);
    EXPECT_EQ(box().mfrmParent, &full());
    EXPECT_EQ(full().focusedButton, "cmdClose") << "the box is modeless: the focus moves at once";
    client().msgBox().cmdNo_Click();
    EXPECT_EQ(state(), Workstation::kConnected);

    const auto requests = small().focusRequests;
    windows().frmSmallStatus_cmdQuit_Click();
    EXPECT_EQ(box().lblText, res(10184));
    EXPECT_EQ(box().mfrmParent, &small());
    EXPECT_EQ(small().focusedButton, "cmdStatus");
    EXPECT_GT(small().focusRequests, requests);
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_FALSE(full().visible);
    EXPECT_FALSE(small().visible);

    connectedCardSession();
    windows().frmSmallStatus_cmdPause_Click();
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(state(), Workstation::kPaused);
}

TEST_F(StatusWindowsTest, quitButtonsDoNothingWhenTheManagerDisabledThem) {
    context().constants.blnDisableSessCloseButton = true;
    client().sessionControl().subSetCloseButtons();
    connectedCardSession();
    windows().cmdQuit_Click();
    windows().frmMicroStatus_cmdQuit_Click();
    EXPECT_FALSE(box().visible);
    EXPECT_FALSE(context().forms.mnuStopSessionEnabled);
}

TEST_F(StatusWindowsTest, switchingToInternetAsksAProtectedQuestion) {
    fake.tcp.socketState = TcpSocket::kConnected;
    openPrepaid(Workstation::kCard, Workstation::kDisconnected, 30 * kMinute);
    windows().optConnected_MouseDown();
    EXPECT_TRUE(full().optConnected);
    EXPECT_EQ(box().lblText, res(10190));
    EXPECT_EQ(box().defaultButton, MsgBoxButton::cmdYes);
    // Protected: a later message does not take its place.
    client().msgBox().subShowMsgBox("other", MsgBox::kButtonsOK, 1, nullptr, nullptr, 0, 0);
    EXPECT_EQ(box().lblText, res(10190));
    client().msgBox().cmdNo_Click();
    EXPECT_TRUE(full().optDisconnected) << "No puts the choice back";
    EXPECT_EQ(state(), Workstation::kDisconnected);

    windows().optConnected_MouseDown();
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_FALSE(context().timers.tmrAppKiller->enabled());
}

TEST_F(StatusWindowsTest, switchingToNoInternetWarnsAboutTheBrowsers) {
    connectedCardSession();
    windows().optDisconnected_MouseDown();
    EXPECT_EQ(box().lblText, res(10188) + "\r\n\r\n" + res(10189));
    EXPECT_EQ(box().defaultButton, MsgBoxButton::cmdNo);
    client().msgBox().cmdYes_Click();
    EXPECT_EQ(state(), Workstation::kDisconnected);
    EXPECT_TRUE(context().timers.tmrAppKiller->enabled());
}

TEST_F(StatusWindowsTest, modeChoiceAsksNothingWhenForcedOrHidden) {
    connectedCardSession();
    windows().cmdClose_Click();
    windows().optDisconnected_MouseDown();
    EXPECT_TRUE(full().optConnected);
    EXPECT_FALSE(box().visible);

    workstation().setState(Workstation::kDisconnected);
    full().optDisconnectedEnabled = false; // the manager forced connected usage
    windows().optConnected_MouseDown();
    EXPECT_TRUE(full().optConnected);
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(state(), Workstation::kDisconnected);
}

TEST_F(StatusWindowsTest, hideAllConstantShowsNothingWhileTheTrayIconStandsIn) {
    FakeTrayIcon tray;
    client().attachTrayIcon(&tray);
    context().constants.blnHideAllStatusWin = true;
    connectedCardSession();
    EXPECT_FALSE(full().visible);
    EXPECT_FALSE(small().visible);
    EXPECT_EQ(state(), Workstation::kConnected) << "the session runs all the same";

    tray.hostRuns = false;
    client().sessionControl().subShowStatus();
    EXPECT_FALSE(full().visible);
    EXPECT_TRUE(small().visible) << "without a tray the customer keeps the time in sight";
}

TEST_F(StatusWindowsTest, textsFollowALanguageChange) {
    connectedCardSession();
    EXPECT_EQ(full().texts.caption("cmdPause"), res(10162));
    EXPECT_EQ(small().texts.caption("cmdStatus"), res(10176));
    EXPECT_EQ(context().forms.frmMicroStatus.texts.caption("cmdQuit"), res(10114));
    EXPECT_EQ(full().caption, res(10112));
}

} // namespace
} // namespace orvan::test
