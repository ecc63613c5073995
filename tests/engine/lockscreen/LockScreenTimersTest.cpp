#include "support/SessionFixture.h"

namespace orvan::test {
namespace {

class LockScreenTimersTest : public SessionFixture {
protected:
    BlockForm& block() { return context().forms.frmBlock; }
    LockScreenTimers& timers() { return client().lockScreenTimers(); }
    void seconds(double count) { fake.time.advance(static_cast<std::int64_t>(count * 1000)); }
    void runOutOfCredit() {
        openPrepaid(Workstation::kCard, Workstation::kConnected, kMinute);
        minutes(1.01);
        ASSERT_EQ(state(), Workstation::kNoCredit);
    }
    ProcessEntry window(std::uint64_t handle, const std::string& title) {
        return {100 + static_cast<long>(handle), "app", "/usr/bin/app", title, handle};
    }
};

TEST_F(LockScreenTimersTest, closeSessionCountdownShowsTheTimeLeftThenEndsTheSession) {
    context().constants.wksnSessionExpiryTime = 2 * kMinute;
    runOutOfCredit();
    seconds(1);
    EXPECT_EQ(block().lblCloseSessionWarningText, "Your session will be closed in 00:01:59");
    context().forms.frmPasswd.show(); // the manager started to type a password
    seconds(120);
    EXPECT_FALSE(context().forms.frmPasswd.loaded) << "unloaded first";
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(block().fraControlsActive);
    EXPECT_FALSE(timers().tmrCloseSession().enabled());
}

TEST_F(LockScreenTimersTest, balanceFoundAgainStopsTheCloseSessionCountdown) {
    runOutOfCredit();
    EXPECT_TRUE(timers().tmrCloseSession().enabled());
    session().dteRemainingTime = 10 * kMinute; // the server recharged the card
    client().lockScreenActions().cmdReCnx_Click();
    EXPECT_FALSE(timers().tmrCloseSession().enabled());
    EXPECT_EQ(state(), Workstation::kConnected);
}

TEST_F(LockScreenTimersTest, lockOutEndsAfterItsTimeEvenWhenLongerThanAnHour) {
    client().sessionControl().subLock();
    workstation().dteLockOutLeft = 61 * kMinute;
    client().lockScreen().startUnblockCountdown();
    seconds(60);
    EXPECT_EQ(state(), Workstation::kBlocked) << "an hour left is not nothing left";
    seconds(3600);
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(block().fraControlsActive);
    EXPECT_FALSE(timers().tmrUnblock().enabled());
}

TEST_F(LockScreenTimersTest, indicatorBlinksWhileSearchingAndStopsOnConnection) {
    client().lockScreen().setSearching(true);
    std::vector<int> pictures;
    for (int tick = 0; tick < 4; ++tick) {
        fake.time.advance(500);
        pictures.push_back(block().imgCnxIndicator);
    }
    EXPECT_EQ(pictures, (std::vector<int>{2, 1, 2, 1}));
    client().lockScreen().setSearching(false);
    fake.time.advance(500);
    EXPECT_EQ(block().imgCnxIndicator, 1);
}

TEST_F(LockScreenTimersTest, windowCloserSparesItsOwnAndClosesTheRestAMinuteAfterActivation) {
    fake.desktop.windowList = {window(1, "Program Manager"), window(2, "program manager"),
                               window(3, "ORVAN status"),    window(4, "สถานะการใช้งาน"),
                               window(5, "Notepad"),         window(6, ""),
                               window(7, "moniter tool")};
    client().sessionControl().subLock(); // a fresh activation
    seconds(59);
    EXPECT_TRUE(fake.desktop.closeRequests.empty());
    seconds(1);
    EXPECT_EQ(fake.desktop.closeRequests, (std::vector<std::uint64_t>{2, 5}));
    EXPECT_EQ(block().List2.size(), 6U) << "untitled windows are not listed";
    const auto lines = logMessages("/program/logkillfile.log");
    ASSERT_EQ(lines.size(), 6U);
    EXPECT_EQ(lines[0], "  * Cancal * Program Manager");
    EXPECT_NE(lines[1].find("program manager "), std::string::npos);
    EXPECT_NE(lines[1].find(" *  kill * 2"), std::string::npos);
    seconds(120);
    EXPECT_EQ(fake.desktop.closeRequests.size(), 2U) << "once per activation";
}

TEST_F(LockScreenTimersTest, killListRunsAtTheThirdTickAndTerminatesOneProcessPerName) {
    block().List1 = {"GAME", "absent"};
    fake.desktop.processList = {{10, "mygame.exe", "", "", 0}, {11, "game2", "", "", 0}};
    client().sessionControl().subLock();
    seconds(20);
    EXPECT_EQ(block().lbkill, "2");
    EXPECT_TRUE(fake.desktop.terminated.empty());
    seconds(10);
    EXPECT_EQ(fake.desktop.terminated, (std::vector<long>{10}));
    EXPECT_FALSE(timers().tmrAppKiller().enabled());
    EXPECT_EQ(logMessages("/program/logkillfile.log"), (std::vector<std::string>{"mygame.exe"}));
}

TEST_F(LockScreenTimersTest, countdownsAndClosersRestartOnlyOnARealActivation) {
    client().sessionControl().subLock();
    seconds(30);
    client().lockScreen().refresh(); // already on screen: not an activation
    fake.desktop.windowList = {window(5, "Notepad")};
    seconds(30);
    EXPECT_EQ(fake.desktop.closeRequests, (std::vector<std::uint64_t>{5}));
}

} // namespace
} // namespace orvan::test
