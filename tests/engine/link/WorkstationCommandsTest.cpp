
#include "support/ClientFixture.h"
#include "wire/Scrambler.h"

#include <cmath>
#include <string>

namespace orvan::test {
namespace {

constexpr const char* kEnd = "%$&######MessageEnd#";
constexpr const char* kSep = "%$&####PayloadToken#";

// A workstation at its lock screen (state 2) that the test drives with the server's
// wire text.
class WorkstationCommandsTest : public ClientFixture {
protected:
    void SetUp() override {
        configured();
        start();
    }

    void serverSends(const std::string& text) { client().dispatcher().subProcessServerData(text); }
    static std::string msg(const std::string& tag, const std::string& payload = {}) {
        return tag + payload + kEnd;
    }
    void openSession(int type, int state) {
        auto& w = context().workstation;
        w.session.intSessionType = type;
        w.session.strUserID = "4711";
        w.session.dteRemainingTime = w.session.dteCreditTime = 1.0;
        w.session.dteValidUntil = context().now() + 1.0;
        w.setState(state);
        client().sessionControl().funStartSession();
    }
    int state() { return context().workstation.intWksnState; }
    bool disabled() { return context().link.blnDisabled; }
    std::string lastDialog() const {
        return fake.dialogs.shown.empty() ? std::string{} : fake.dialogs.shown.back().text;
    }
    // Where a disabled workstation gives its reason: the program's own box over the
    // lock screen, the standard box otherwise.
    std::string reasonShown() {
        const auto& box = context().forms.frmMsgBox;
        return box.visible ? box.lblText : lastDialog();
    }
    void expectBlockedWith(const std::string& reason) {
        EXPECT_TRUE(disabled());
        EXPECT_EQ(state(), Workstation::kBlocked);
        EXPECT_TRUE(block().visible);
        EXPECT_TRUE(block().fraControlsBlocked);
        EXPECT_NE(reasonShown().find(reason), std::string::npos) << reasonShown();
        EXPECT_NE(block().imgNoServCnxToolTip.find(reason), std::string::npos)
            << "the indicator keeps the reason once the box is gone";
    }
    SettingValue stored(const std::string& name) {
        return fake.store.read(Hive::Machine, kGeneral, name).value;
    }
    BlockForm& block() { return context().forms.frmBlock; }
};

TEST_F(WorkstationCommandsTest, tooOldServerDisablesAndDropsTheRestOfTheCall) {
    serverSends(msg("%$&######AppVersion#", "1009299") + msg("%$&WksnDefaultState#", "3"));
    EXPECT_TRUE(disabled());
    EXPECT_NE(reasonShown().find("The server version is insufficient (Current version: 1.9.299 - "
                                 "Required version: 1.9.300)"),
              std::string::npos)
        << reasonShown();
    EXPECT_TRUE(logContains(
        "modFunctions.subProcessServerDataError: Context: %$&######AppVersion# Payload: 1009299"));
    EXPECT_EQ(context().settings.intDefaultState, 2) << "the message that followed was not run";
}

TEST_F(WorkstationCommandsTest, currentServerPassesTheVersionCheck) {
    serverSends(msg("%$&######AppVersion#", "1009300") + msg("%$&########LockWksn#"));
    EXPECT_FALSE(disabled());
    EXPECT_EQ(state(), Workstation::kBlocked);
}

TEST_F(WorkstationCommandsTest, disableCodesAndTheirReasons) {
    serverSends(msg("%$&#####DisableWksn#", "2"));
    EXPECT_FALSE(disabled()) << "unknown codes do nothing";
    serverSends(msg("%$&#####DisableWksn#", std::string{"0"} + kSep + "1010000"));
    EXPECT_TRUE(disabled());
    EXPECT_NE(reasonShown().find("The workstation version is insufficient (Current version: "
                                 "1.9.300 - Required version: 1.10.0)"),
              std::string::npos)
        << reasonShown();
}

TEST_F(WorkstationCommandsTest, disabledWhileIdleTheComputerStaysOnTheBlockedScreen) {
    serverSends(msg("%$&######AppVersion#", "1009299"));
    expectBlockedWith("The server version is insufficient");
    EXPECT_EQ(fake.shellLock.calls.back().second, 0) << "the shell stays locked";

    // Nothing that would normally bring the login screen back opens it now.
    client().sessionControl().subActivate();
    client().sessionControl().subDefaultState();
    EXPECT_EQ(state(), Workstation::kBlocked);
    EXPECT_TRUE(block().visible);
}

TEST_F(WorkstationCommandsTest, dispatcherFailureWhileIdleLocksWithTheInternalError) {
    serverSends(msg("%$&#######SessionID#", "not a number"));
    expectBlockedWith("An internal error has occurred");
}

TEST_F(WorkstationCommandsTest, failedSettingsWriteInAHandlerLeavesTheComputerLocked) {
    fake.store.setReadOnly(Hive::Machine, true);
    serverSends(msg("%$&###PasswordAdmin#", "secret"));
    expectBlockedWith("An internal error has occurred");
}

TEST_F(WorkstationCommandsTest, disabledDuringASessionItRunsOutAndEndsOnTheBlockedScreen) {
    openSession(Workstation::kCard, Workstation::kConnected);
    auto& session = context().workstation.session;
    session.dteRemainingTime = session.dteCreditTime = 2.0 / 1440.0;
    serverSends(msg("%$&#####DisableWksn#", "1"));
    EXPECT_TRUE(disabled());
    EXPECT_EQ(state(), Workstation::kConnected) << "the customer's paid time goes on";
    EXPECT_FALSE(block().visible);
    EXPECT_NE(lastDialog().find("An internal error has occurred"), std::string::npos);
    EXPECT_TRUE(context().timers.tmrSessionStatus->enabled());

    fake.time.advance(2 * 60'000 + 500);
    EXPECT_EQ(state(), Workstation::kNoCredit) << "the credit still runs out";
    fake.time.advance(std::llround(context().constants.wksnSessionExpiryTime * 86'400'000.0) +
                      2'000);
    EXPECT_EQ(state(), Workstation::kBlocked);
    EXPECT_TRUE(block().visible);
    EXPECT_TRUE(block().fraControlsBlocked);
}

TEST_F(WorkstationCommandsTest, versionMismatchDuringAPauseEndsOnTheBlockedScreenWhenQuit) {
    openSession(Workstation::kCard, Workstation::kConnected);
    client().sessionControl().funPauseSession();
    client().lockScreen().refresh();
    serverSends(msg("%$&######AppVersion#", "1"));
    EXPECT_EQ(state(), Workstation::kPaused);
    EXPECT_TRUE(block().visible);
    client().sessionControl().funStopSession(true);
    client().lockScreen().refresh();
    EXPECT_EQ(state(), Workstation::kBlocked);
    EXPECT_TRUE(block().fraControlsBlocked);
}

TEST_F(WorkstationCommandsTest, defaultStateFromTheServerMustBeAnIdleState) {
    serverSends(msg("%$&WksnDefaultState#", "3"));
    EXPECT_EQ(context().settings.intDefaultState, 3);
    EXPECT_EQ(std::get<std::string>(stored("Default State")), "3");

    serverSends(msg("%$&WksnDefaultState#", "7"));
    EXPECT_FALSE(disabled());
    EXPECT_EQ(context().settings.intDefaultState, 2);
    EXPECT_EQ(std::get<std::string>(stored("Default State")), "3") << "the stored value stays";
    EXPECT_TRUE(logContains("\"Default State\" 7 is not an idle state"));

    openSession(Workstation::kCard, Workstation::kConnected);
    serverSends(msg("%$&####SessionClose#"));
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(block().visible);
}

TEST_F(WorkstationCommandsTest, activatingAfterASessionEndRebootsWhenTheConstantSaysSo) {
    fake.store.putString(kGeneral, "Serialized User", "17#1#0.1");
    context().constants.wksnRebootOnSessionEnd = 1;
    context().workstation.setState(Workstation::kSessionEnded);
    serverSends(msg("%$&####ActivateWksn#"));
    EXPECT_EQ(std::get<std::string>(stored("Serialized User")), "");
    EXPECT_EQ(state(), Workstation::kWaiting);
    fake.time.advance(6'000);
    EXPECT_EQ(fake.shell.exits, std::vector<int>{Shell::kReboot | Shell::kForce});

    context().flags.blnDebugMode = true;
    context().workstation.setState(Workstation::kSessionEnded);
    serverSends(msg("%$&####ActivateWksn#"));
    fake.time.advance(6'000);
    EXPECT_EQ(fake.shell.exits.size(), 1U) << "never in debug mode";
}

TEST_F(WorkstationCommandsTest, forcingConnectedUsageSwitchesADisconnectedSession) {
    openSession(Workstation::kCard, Workstation::kDisconnected);
    ASSERT_TRUE(context().timers.tmrAppKiller->enabled());
    serverSends(msg("%$&##ForceConnected#", "1"));
    EXPECT_EQ(state(), Workstation::kConnected);
    EXPECT_EQ(context().workstation.intPrevWksnState, Workstation::kDisconnected);
    EXPECT_FALSE(context().timers.tmrAppKiller->enabled());
    EXPECT_EQ(context().forms.frmMsgBox.lblText,
              "Disconnected mode has been deactivated by the manager.\r\n"
              "Your session continues in connected mode.");
    const auto& status = context().forms.frmStatus;
    EXPECT_TRUE(status.optConnected);
    EXPECT_FALSE(status.optDisconnectedEnabled);
}

TEST_F(WorkstationCommandsTest, forcingConnectedUsageOutsideASessionOnlyChangesTheOptions) {
    block().optConnected.value = false;
    block().optDisconnected.value = true;
    serverSends(msg("%$&##ForceConnected#", "1"));
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_FALSE(context().forms.frmMsgBox.loaded);
    EXPECT_TRUE(block().optConnected.value);
    EXPECT_FALSE(block().optDisconnected.value);
    EXPECT_FALSE(block().optDisconnected.enabled);
    serverSends(msg("%$&##ForceConnected#", "0"));
    EXPECT_TRUE(block().optDisconnected.enabled);
    EXPECT_TRUE(context().forms.frmStatus.optDisconnectedEnabled);
}

TEST_F(WorkstationCommandsTest, loginKindIsOfferedOnlyForExactlyOne) {
    serverSends(msg("%$&###ActivateCards#", "2"));
    EXPECT_FALSE(block().optCard.enabled);
    EXPECT_TRUE(block().fraCardNumberVisible) << "only 0 hides the frame";
    serverSends(msg("%$&###ActivateCards#", "1.0"));
    EXPECT_TRUE(block().optCard.enabled);
    serverSends(msg("%$&###ActivateCards#", "0") + msg("%$&#ActivateClients#", "0"));
    EXPECT_FALSE(block().fraCardNumberVisible);
    EXPECT_FALSE(block().fraClientVisible);
    EXPECT_EQ(state(), Workstation::kWaiting);
    serverSends(msg("%$&ActivateSelfServ#", "yes"));
    EXPECT_TRUE(disabled()) << "not a number";
}

TEST_F(WorkstationCommandsTest, withdrawingTheRunningSessionsLoginKindStopsIt) {
    openSession(Workstation::kMember, Workstation::kConnected);
    block().fraClientVisible = true;
    serverSends(msg("%$&###ActivateCards#", "0"));
    EXPECT_EQ(state(), Workstation::kConnected) << "another kind's session goes on";
    serverSends(msg("%$&#ActivateClients#", "0"));
    EXPECT_EQ(state(), Workstation::kWaiting);
    EXPECT_TRUE(block().visible);
    EXPECT_FALSE(context().workstation.sessionExists()) << "the session stopped instead";
}

TEST_F(WorkstationCommandsTest, messageOptionsAnnounceOwedAmountsOnlyWithAStep) {
    auto& options = context().workstation.messageOptions;
    const auto payload = [](const char* step) {
        return std::string{"1"} + kSep + "10" + kSep + "2" + kSep + "1" + kSep + step;
    };
    serverSends(msg("%$&##WksnMsgOptions#", payload("0.5")));
    EXPECT_EQ(options.intWarnMinutes1, 10);
    EXPECT_EQ(options.intWarnOwed, 1);
    serverSends(msg("%$&##WksnMsgOptions#", payload("0")));
    EXPECT_EQ(options.intWarnOwed, 0);
}

TEST_F(WorkstationCommandsTest, passwords) {
    serverSends(msg("%$&###PasswordAdmin#", "s3cret"));
    EXPECT_EQ(context().settings.strPassword, "s3cret");
    EXPECT_EQ(std::get<std::string>(stored("Password")),
              context().scrambler.funDoXOR("s3cret", context().strAppKey));
    EXPECT_NE(std::get<std::string>(stored("Password")), "s3cret");

    serverSends(msg("%$&###PasswordMangr#", std::string{"boss"} + kSep + "pw"));
    EXPECT_EQ(context().user->login, "boss");
    EXPECT_EQ(context().user->Passwd, "pw");
    serverSends(msg("%$&###PasswordMangr#", "boss2"));
    EXPECT_EQ(context().user->login, "boss2");
    EXPECT_EQ(context().user->Passwd, "");
}

TEST_F(WorkstationCommandsTest, policyOptionsAreStored) {
    auto& apps = client().appControl().prohibitions;
    serverSends(msg("%$&######KilledApps#", std::string{"1"} + kSep + "0" + kSep + "1" + kSep +
                                                "0" + kSep + "game.exe**chat.exe"));
    EXPECT_EQ(apps.closeNetscape, 1);
    EXPECT_EQ(apps.furtherNames, (std::vector<std::string>{"game.exe", "chat.exe"}));
    serverSends(msg("%$&######KilledApps#",
                    std::string{"1"} + kSep + "0" + kSep + "1" + kSep + "0" + kSep));
    EXPECT_TRUE(apps.furtherNames.empty()) << "an emptied list";

    auto& cleanup = client().sessionCleanup();
    serverSends(msg("%$&##SEssionCleanup#", std::string{"1"} + kSep + "0" + kSep + "1" + kSep +
                                                "1" + kSep + "0" + kSep + "http://cafe/" + kSep +
                                                "1") +
                msg("%$&##SessBatchStart#", "1") + msg("%$&####SessBatchEnd#", "2") +
                msg("%$&##SessBatchStyle#", "7"));
    EXPECT_EQ(cleanup.options.resetStartPage, 1);
    EXPECT_EQ(cleanup.options.resetBrowser, 0);
    EXPECT_EQ(cleanup.options.startPage, "http://cafe/");
    EXPECT_EQ(cleanup.options.clearMessengerTraces, 1);
    EXPECT_TRUE(cleanup.blnRunStartBatch);
    EXPECT_FALSE(cleanup.blnRunEndBatch) << "only 1 is on";
    EXPECT_EQ(cleanup.batchWindowStyle, 7);
    EXPECT_FALSE(disabled());
}

TEST_F(WorkstationCommandsTest, settingsAreWrittenInTheirTypes) {
    serverSends(msg("%$&#####HideCardNum#", "1") + msg("%$&WksnDefaultState#", "3") +
                msg("%$&####UsageDefault#", "4") + msg("%$&#WksnDefaultMode#", "0") +
                msg("%$&#DefaultLanguage#", std::string{"_fr"} + kSep + "238") +
                msg("%$&MsgLogoFilesType#", "1"));
    ASSERT_FALSE(disabled());
    EXPECT_EQ(stored("Hide Card Number"), SettingValue{std::uint32_t{1}});
    EXPECT_EQ(stored("Default State"), SettingValue{std::string{"3"}});
    EXPECT_EQ(stored("Default Usage"), SettingValue{std::string{"4"}});
    EXPECT_EQ(stored("Default Mode"), SettingValue{std::string{"0"}});
    EXPECT_EQ(stored("Interface Language"), SettingValue{std::string{"orvanclient_fr"}});
    EXPECT_EQ(stored("Interface Language Charset"), SettingValue{std::uint32_t{238}});
    EXPECT_EQ(stored("Message & Logo Files Type"), SettingValue{std::uint32_t{1}});

    const auto& s = context().settings;
    EXPECT_TRUE(s.blnHideCardNumber);
    EXPECT_EQ(s.intDefaultState, 3);
    EXPECT_TRUE(block().OptClient.value) << "the default login kind re-applied";
    EXPECT_TRUE(block().optDisconnected.value);
    EXPECT_FALSE(block().optConnected.value);
    EXPECT_EQ(context().localization.currentLanguage(), "orvanclient_fr");
    EXPECT_EQ(context().localization.defaultLanguage(), "orvanclient_fr");
    EXPECT_EQ(context().localization.currentCharset(), 238);
}

TEST_F(WorkstationCommandsTest, switchingToReceivedDocumentsReloadsTheShownMessage) {
    context().settings.strMsgIntro = "/appdata/OrvanetixClient/intro.rtf";
    ASSERT_NE(block().rtbMessageFile, context().settings.strMsgIntro);
    serverSends(msg("%$&MsgLogoFilesType#", "1"));
    EXPECT_EQ(block().rtbMessageFile, "/appdata/OrvanetixClient/intro.rtf");
}

TEST_F(WorkstationCommandsTest, constantsNeedAllTwentyOneFields) {
    std::string fields = "10.0.0.255";
    for (int i = 1; i < 20; ++i) {
        fields += kSep + std::string{i == 11 ? "1" : i == 19 ? "9" : "2"};
    }
    serverSends(msg("%$&#VantikConstants#", fields));
    EXPECT_EQ(context().constants.wksnShutdownDelay, 9) << "the fields present are stored";
    EXPECT_FALSE(fake.store.read(Hive::Machine, kConstants, "cnxBroardcastAdr").found());
    EXPECT_TRUE(disabled());
    EXPECT_NE(reasonShown().find("An internal error has occurred"), std::string::npos);
}

TEST_F(WorkstationCommandsTest, constantsApplyTheCloseButtons) {
    std::string fields = "10.0.0.255";
    for (int i = 1; i < 21; ++i) {
        fields += kSep + std::string{i == 11 ? "1" : "2"};
    }
    serverSends(msg("%$&#VantikConstants#", fields));
    ASSERT_FALSE(disabled());
    EXPECT_EQ(
        std::get<std::string>(fake.store.read(Hive::Machine, kConstants, "cnxBroardcastAdr").value),
        "10.0.0.255");
    EXPECT_FALSE(context().forms.frmStatus.cmdQuitEnabled);
    EXPECT_FALSE(context().forms.mnuStopSessionEnabled);
}

} // namespace
} // namespace orvan::test
