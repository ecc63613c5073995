#include "CafeServer.h"

#include "AccountBook.h"
#include "CommandMessages.h"
#include "Connection.h"
#include "ConsoleCommand.h"
#include "DayNumber.h"
#include "DiscoveryResponder.h"
#include "Message.h"
#include "ScriptRunner.h"
#include "ServerMessages.h"
#include "ServerOptions.h"
#include "Sockets.h"
#include "StreamCutter.h"
#include "Tags.h"
#include "Workstation.h"

#include <arpa/inet.h>
#include <cstdio>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace orvan::cafe::test {
namespace {

using namespace std::chrono_literals;
using Fields = std::vector<std::string>;

const std::string kSep{Tags::kPayloadToken};
const std::string kEnd{Tags::kMessageEnd};

// A message written out by hand, independent of Message::build.
std::string wire(std::string_view tag, const Fields& fields = {}) {
    std::string text{tag};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        text += (i > 0 ? kSep : "") + fields[i];
    }
    return text + kEnd;
}

TEST(CafeTags, everyLiteralIsItsNameRightAlignedInSixteenPlaces) {
    const std::pair<std::string_view, std::string_view> named[] = {
        {Tags::kMessageEnd, "MessageEnd"},
        {Tags::kPayloadToken, "PayloadToken"},
        {Tags::kAppVersion, "AppVersion"},
        {Tags::kServerDate, "ServerDate"},
        {Tags::kRatioDisconCon, "RatioDisconCon"},
        {Tags::kOffPeakParams, "OffPeakParams"},
        {Tags::kCurrencySymbol, "CurrencySymbol"},
        {Tags::kPostPaidMode, "PostPaidMode"},
        {Tags::kDefaultRecharges, "DefaultRecharges"},
        {Tags::kActivateCards, "ActivateCards"},
        {Tags::kActivateClients, "ActivateClients"},
        {Tags::kActivateSelfServ, "ActivateSelfServ"},
        {Tags::kSessionOK, "SessionOK"},
        {Tags::kSessionNOK, "SessionNOK"},
        {Tags::kSessionID, "SessionID"},
        {Tags::kSessionOpen, "SessionOpen"},
        {Tags::kSessionClose, "SessionClose"},
        {Tags::kSessionFree, "SessionFree"},
        {Tags::kLockWksn, "LockWksn"},
        {Tags::kActivateWksn, "ActivateWksn"},
        {Tags::kPauseWksn, "PauseWksn"},
        {Tags::kPauseLocKWksn, "PauseLocKWksn"},
        {Tags::kPauseFollowWksn, "PauseFollowWksn"},
        {Tags::kUnPauseWksn, "UnPauseWksn"},
        {Tags::kResumeWksn, "ResumeWksn"},
        {Tags::kRechargeCard, "RechargeCard"},
        {Tags::kMessageSend, "MessageSend"},
        {Tags::kChatMessage, "ChatMessage"},
        {Tags::kVantikConstants, "VantikConstants"},
        {Tags::kDisableWksn, "DisableWksn"},
        {Tags::kShutdownWksn, "ShutdownWksn"},
        {Tags::kFileSend, "FileSend"},
        {Tags::kServerHeartBeat, "ServerHeartBeat"},
        {Tags::kWksnDefaultMode, "WksnDefaultMode"},
        {Tags::kWorkstationName, "WorkstationName"},
        {Tags::kComputerName, "ComputerName"},
        {Tags::kWorkstationState, "WorkstationState"},
        {Tags::kSessionType, "SessionType"},
        {Tags::kUserID, "UserID"},
        {Tags::kUserBalance, "UserBalance"},
        {Tags::kElapsedTime, "ElapsedTime"},
        {Tags::kConnectedTime, "ConnectedTime"},
        {Tags::kCnxtTimeOffPeak, "CnxtTimeOffPeak"},
        {Tags::kDisconnectedTime, "DisconnectedTime"},
        {Tags::kRemainingTime, "RemainingTime"},
        {Tags::kRemTimeAparent, "RemTimeAparent"},
        {Tags::kForceCardUpdate, "ForceCardUpdate"},
        {Tags::kPasswordChange, "PasswordChange"},
        {Tags::kRdyForServScreen, "RdyForServScreen"},
    };
    for (const auto& [tag, name] : named) {
        EXPECT_EQ(tag, Tags::fromName(name)) << name;
        EXPECT_EQ(Tags::nameOf(tag), name);
    }
    EXPECT_EQ(Tags::fromName("ThisNameIsTooLong"), "");
    EXPECT_EQ(Tags::fromName(""), "");
    EXPECT_EQ(Tags::nameOf("short"), "short");
}

TEST(CafeMessage, splitsFieldsLikeTheWorkstation) {
    EXPECT_EQ(Message::splitFields(""), Fields{});
    EXPECT_EQ(Message::splitFields("a"), Fields{"a"});
    EXPECT_EQ(Message::splitFields("a" + kSep + "b" + kSep), (Fields{"a", "b"}));
    EXPECT_EQ(Message::splitFields(kSep + "b"), (Fields{"", "b"}));
    EXPECT_EQ(Message::splitFields("2" + kSep + kSep + "123456" + kSep + "6" + kSep),
              (Fields{"2", "", "123456", "6"}));
}

TEST(CafeMessage, buildsAndParsesTagAndFields) {
    EXPECT_EQ(Message::build(Tags::kLockWksn), "%$&########LockWksn#%$&######MessageEnd#");
    EXPECT_EQ(Message::build(Tags::kSessionNOK, {"5"}), wire(Tags::kSessionNOK, {"5"}));
    const auto text = wire(Tags::kComputerName, {"pc07", "", "1"});
    const Message parsed = Message::parse(text.substr(0, text.size() - kEnd.size()));
    EXPECT_EQ(parsed.tag, Tags::kComputerName);
    EXPECT_EQ(parsed.fields, (Fields{"pc07", "", "1"}));
    EXPECT_EQ(parsed.field(7), "");
}

TEST(CafeMessage, describesOnOneReadableLine) {
    EXPECT_EQ(Message::parse(std::string(Tags::kWorkstationState) + "2").describe(),
              "WorkstationState 2");
    Message message{std::string(Tags::kChatMessage), {"a\nb", "", std::string(100, 'x')}};
    EXPECT_EQ(message.describe(10), "ChatMessage a\\x0Ab | \"\" | xxxxxxxxxx... (100 bytes)");
}

TEST(CafeStreamCutter, cutsCompleteMessagesAndKeepsTheRest) {
    StreamCutter cutter{kEnd};
    const std::string stream = "one" + kEnd + "two" + kEnd + "three" + kEnd + "fo";
    EXPECT_EQ(cutter.feed(stream), (Fields{"one", "two", "three"}));
    EXPECT_EQ(cutter.pending(), 2U);
    EXPECT_EQ(cutter.feed("ur" + kEnd), Fields{"four"});
    EXPECT_EQ(cutter.pending(), 0U);
}

TEST(CafeStreamCutter, findsAnEndTagArrivingOneByteAtATime) {
    StreamCutter cutter{kEnd};
    const std::string stream = "ab" + kEnd + kEnd + "c" + kEnd;
    Fields pieces;
    for (const char byte : stream) {
        for (auto& piece : cutter.feed(std::string_view(&byte, 1))) {
            pieces.push_back(piece);
        }
    }
    EXPECT_EQ(pieces, (Fields{"ab", "", "c"}));
}

TEST(CafeStreamCutter, aLargeMessageInSmallChunksComesOutWhole) {
    StreamCutter cutter{kEnd};
    const std::string payload(3 * 1024 * 1024, 'p');
    const std::string stream = payload + kEnd;
    Fields pieces;
    for (std::size_t at = 0; at < stream.size(); at += 1000) {
        for (auto& piece : cutter.feed(std::string_view(stream).substr(at, 1000))) {
            pieces.push_back(std::move(piece));
        }
    }
    ASSERT_EQ(pieces.size(), 1U);
    EXPECT_EQ(pieces[0], payload);
}

TEST(CafeDayNumber, countsLocalDaysSince1899AndFormatsLikeTheWire) {
    EXPECT_DOUBLE_EQ(DayNumber::fromUnix(0, 0), 25569.0);
    EXPECT_DOUBLE_EQ(DayNumber::fromUnix(0, 7 * 3600), 25569.0 + 7.0 / 24);
    EXPECT_EQ(DayNumber::format(DayNumber::fromMinutes(10)), "0.00694444444444444");
    EXPECT_EQ(DayNumber::format(100), "100");
    EXPECT_EQ(DayNumber::format(1.0 / 86400), "1.15740740740741E-05");
    EXPECT_EQ(DayNumber::format(45000.5), "45000.5");
}

// --- accounts ---------------------------------------------------------------------------

class CafeAccounts : public ::testing::Test {
protected:
    AccountBook book = AccountBook::builtIn();
    static constexpr double kToday = 45000;

    int code(int type, std::string id, std::string password = "", std::string holder = "#1") {
        return book.open({type, std::move(password), std::move(id)}, holder, kToday).code;
    }
};

TEST_F(CafeAccounts, acceptsACardWithItsCreditAndValidity) {
    const auto answer = book.open({AccountBook::kCard, "", "123456"}, "#1", kToday);
    ASSERT_TRUE(answer.accepted());
    EXPECT_EQ(answer.type, 2);
    EXPECT_DOUBLE_EQ(answer.remainingDays, 10.0 / 1440);
    EXPECT_DOUBLE_EQ(answer.expiryDays, kToday + AccountBook::kValidityDays);
    EXPECT_FALSE(answer.unlimited);
    EXPECT_TRUE(book.open({AccountBook::kCard, "", "777777"}, "#1", kToday).unlimited);
}

TEST_F(CafeAccounts, refusesEachCaseWithItsAnswerCode) {
    EXPECT_EQ(code(2, "000001"), AccountBook::kCardUnknown);
    EXPECT_EQ(code(2, "999999"), AccountBook::kCardBarred);
    EXPECT_EQ(code(2, "9999"), AccountBook::kCardBarred);
    EXPECT_EQ(code(2, "555555"), AccountBook::kCardNoTime);
    EXPECT_EQ(code(2, "101010"), AccountBook::kAccessDenied);
    EXPECT_EQ(code(4, "somchai", "wrong"), AccountBook::kMemberWrong);
    EXPECT_EQ(code(4, "nobody", "secret"), AccountBook::kMemberWrong);
    EXPECT_EQ(code(4, "malee", "secret"), AccountBook::kMemberBarred);
    EXPECT_EQ(code(4, "noi", "secret"), AccountBook::kMemberNoTime);
    EXPECT_EQ(code(3, ""), AccountBook::kAccessDenied);
    EXPECT_EQ(code(4, "SomChai", "secret"), 0) << "logins are compared in lower case";
}

TEST_F(CafeAccounts, anAccountInUseIsRefusedElsewhereUntilReleased) {
    EXPECT_EQ(code(2, "123456", "", "#1"), 0);
    EXPECT_EQ(code(2, "123456", "", "#1"), 0) << "the same workstation may ask again";
    EXPECT_EQ(code(2, "123456", "", "#2"), AccountBook::kCardInUse);
    EXPECT_EQ(code(4, "somchai", "secret", "#1"), 0);
    EXPECT_EQ(code(4, "somchai", "secret", "#2"), AccountBook::kMemberInUse);

    book.release("#1", 4.0 / 1440);
    EXPECT_DOUBLE_EQ(book.find(Account::Kind::Card, "123456")->remainingDays, 4.0 / 1440);
    EXPECT_EQ(code(2, "123456", "", "#2"), 0);
    book.release("#2", 0);
    EXPECT_EQ(code(2, "123456", "", "#3"), AccountBook::kCardNoTime);
}

TEST_F(CafeAccounts, selfServiceNeedsNoAccount) {
    const auto later = book.open({AccountBook::kSelfService, "", ""}, "#1", kToday);
    EXPECT_TRUE(later.accepted());
    EXPECT_EQ(later.type, 1);
    const auto prepaid = book.open({AccountBook::kPrepaidSelfService, "", ""}, "#1", kToday);
    EXPECT_TRUE(prepaid.accepted());
    EXPECT_EQ(prepaid.type, 5);
    EXPECT_DOUBLE_EQ(prepaid.remainingDays, 60.0 / 1440);
    EXPECT_NE(later.sessionId, prepaid.sessionId);
}

TEST_F(CafeAccounts, accountLinesAddOrReplaceAndReportMistakes) {
    EXPECT_EQ(book.addFromArgs({"card", "424242", "15"}), "");
    EXPECT_EQ(code(2, "424242"), 0);
    EXPECT_EQ(book.addFromArgs({"member", "Lek", "pw", "30", "banned"}), "");
    EXPECT_EQ(code(4, "lek", "pw"), AccountBook::kMemberBarred);
    EXPECT_EQ(book.addFromArgs({"card", "555555", "5"}), "");
    EXPECT_EQ(code(2, "555555"), 0) << "a line for a known card replaces it";
    EXPECT_NE(book.addFromArgs({"card", "1", "ten"}), "");
    EXPECT_NE(book.addFromArgs({"card", "1", "10", "gold"}), "");
    EXPECT_NE(book.addFromArgs({"member", "x", "10"}), "");
    EXPECT_NE(book.addFromArgs({"ticket", "1", "10"}), "");
}

TEST(CafeSessionRequest, readsTypePasswordAndIdentifier) {
    const auto request = AccountBook::parseRequest({"4", "secret", "somchai", "6"});
    ASSERT_TRUE(request);
    EXPECT_EQ(request->type, 4);
    EXPECT_EQ(request->password, "secret");
    EXPECT_EQ(request->identifier, "somchai");
    EXPECT_FALSE(AccountBook::parseRequest({"x", "", "1"}));
    EXPECT_FALSE(AccountBook::parseRequest({"2", ""}));
}

// --- what the server says -----------------------------------------------------------------

TEST(CafeServerMessages, greetingAnswerCarriesVersionDateTariffAndLoginKinds) {
    const std::string expected =
        "%$&######AppVersion#1009300" + kEnd + "%$&######ServerDate#45000.5" + kEnd +
        "%$&##RatioDisconCon#100" + kEnd + "%$&###OffPeakParams#100" + kSep + "0.25" + kSep +
        "0.916666666666667" + kEnd + "%$&##CurrencySymbol#THB" + kSep + "#,##0.00 </currSymbol>" +
        kEnd + "%$&####PostPaidMode#0" + kSep + "0.0104166666666667" + kSep + "0.0208333333333333" +
        kSep + "0" + kSep + "0" + kEnd + "%$&DefaultRecharges#0.0416666666666667" + kSep + "20" +
        kSep + "0.0833333333333333" + kSep + "35" + kEnd + "%$&###ActivateCards#1" + kEnd +
        "%$&#ActivateClients#1" + kEnd + "%$&ActivateSelfServ#1" + kEnd;
    EXPECT_EQ(ServerMessages::greetingAnswer(45000.5), expected);
}

TEST(CafeServerMessages, sessionAnswersAndConstants) {
    AccountBook::Answer accepted{0, 2, 10.0 / 1440, 45030, false, 7};
    EXPECT_EQ(ServerMessages::sessionAnswer(accepted),
              wire(Tags::kSessionID, {"7"}) +
                  wire(Tags::kSessionOK, {"2", "0.00694444444444444", "45030", "0"}));
    EXPECT_EQ(ServerMessages::sessionAnswer({AccountBook::kCardBarred}),
              wire(Tags::kSessionNOK, {"2"}));

    const auto constants = ServerMessages::constants(5000, 5001);
    const Message message = Message::parse(constants.substr(0, constants.size() - kEnd.size()));
    ASSERT_EQ(message.fields.size(), 21U);
    EXPECT_EQ(message.fields[2], "5000");
    EXPECT_EQ(message.fields[3], "5001");
    EXPECT_EQ(message.fields[7], "0.00138888888888889");
    EXPECT_EQ(message.fields[12], "30");
    EXPECT_EQ(message.fields[18], "0.00347222222222222");
}

// --- one workstation's conversation --------------------------------------------------------

Message inbound(std::string_view tag, const Fields& fields = {}) {
    return Message{std::string(tag), fields};
}

TEST(CafeWorkstation, answersTheGreetingOnceItIsCompleteAndTheDateRequest) {
    AccountBook book = AccountBook::builtIn();
    Workstation station(1, "10.0.0.7:50000");
    EXPECT_EQ(station.name(), "10.0.0.7:50000");
    EXPECT_EQ(station.handle(inbound(Tags::kAppVersion, {"1009300"}), book, 45000), "");
    EXPECT_EQ(station.handle(inbound(Tags::kWorkstationName, {"pc-07"}), book, 45000), "");
    EXPECT_EQ(station.name(), "pc-07");
    EXPECT_TRUE(station.matches("pc-07") && station.matches("#1") &&
                station.matches("10.0.0.7:50000"));
    EXPECT_EQ(station.handle(inbound(Tags::kComputerName, {"pc07", "u", "1", "AB"}), book, 45000),
              ServerMessages::greetingAnswer(45000));
    EXPECT_EQ(station.handle(inbound(Tags::kServerDate), book, 45000.25),
              wire(Tags::kServerDate, {"45000.25"}));
}

TEST(CafeWorkstation, releasesTheAccountWithItsCreditWhenTheSessionEnds) {
    AccountBook book = AccountBook::builtIn();
    Workstation station(1, "a");
    Workstation other(2, "b");
    const auto request = inbound(Tags::kSessionOpen, {"2", "", "123456", "6"});
    EXPECT_NE(station.handle(request, book, 45000).find("SessionOK#"), std::string::npos);
    // A report sent before the acceptance arrives late: the card stays held.
    station.handle(inbound(Tags::kWorkstationState, {"2"}), book, 45000);
    EXPECT_EQ(other.handle(request, book, 45000), wire(Tags::kSessionNOK, {"4"}));

    station.handle(inbound(Tags::kWorkstationState, {"6"}), book, 45000);
    station.handle(inbound(Tags::kRemainingTime, {"0.002"}), book, 45000);
    station.handle(inbound(Tags::kWorkstationState, {"2"}), book, 45000);
    EXPECT_DOUBLE_EQ(book.find(Account::Kind::Card, "123456")->remainingDays, 0.002);
    EXPECT_NE(other.handle(request, book, 45000).find("SessionOK#"), std::string::npos);
    other.disconnected(book);
    EXPECT_TRUE(book.find(Account::Kind::Card, "123456")->holder.empty());
}

TEST(CafeWorkstation, quietModeShowsOnlyChangesOfTheStatusReport) {
    Workstation station(1, "a");
    const auto state = [](std::string value) { return inbound(Tags::kWorkstationState, {value}); };
    EXPECT_TRUE(station.worthShowing(state("2"), true));
    EXPECT_FALSE(station.worthShowing(state("2"), true));
    EXPECT_TRUE(station.worthShowing(state("6"), true));
    EXPECT_FALSE(station.worthShowing(inbound(Tags::kElapsedTime, {"0.1"}), true));
    EXPECT_TRUE(station.worthShowing(inbound(Tags::kChatMessage, {"hi"}), true));
    EXPECT_TRUE(station.worthShowing(inbound(Tags::kElapsedTime, {"0.1"}), false));
}

// --- console commands ----------------------------------------------------------------------

TEST(CafeConsole, parsesTargetVerbQuotedArgumentsAndRest) {
    const auto command = ConsoleCommand::parse("  @pc-07 RAW  ChatMessage \"a b\" \"\" c  ");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->target, "pc-07");
    EXPECT_EQ(command->verb, "raw");
    EXPECT_EQ(command->args, (Fields{"ChatMessage", "a b", "", "c"}));
    EXPECT_EQ(ConsoleCommand::parse("msg  two  spaces")->rest, "two  spaces");
    EXPECT_FALSE(ConsoleCommand::parse("   "));
    EXPECT_FALSE(ConsoleCommand::parse("# a comment"));
}

std::optional<CommandMessages::Result> build(std::string_view line) {
    return CommandMessages::build(*ConsoleCommand::parse(line), {4647, 4648, 45000});
}

TEST(CafeConsole, buildsTheMessageOfEachCommand) {
    EXPECT_EQ(build("lock")->wire, wire(Tags::kLockWksn));
    EXPECT_EQ(build("pauselock")->wire, wire(Tags::kPauseLocKWksn));
    EXPECT_EQ(build("recharge 30")->wire,
              wire(Tags::kRechargeCard, {"0.0208333333333333", "45030"}));
    EXPECT_EQ(build("msg Closing at  ten")->wire, wire(Tags::kMessageSend, {"Closing at  ten"}));
    EXPECT_EQ(build("disable 0 1009400")->wire, wire(Tags::kDisableWksn, {"0", "1009400"}));
    EXPECT_EQ(build("shutdown 2")->wire, wire(Tags::kShutdownWksn, {"2"}));
    EXPECT_EQ(build("raw WksnMsgOptions 1 5 2 0 \"\"")->wire,
              wire("%$&##WksnMsgOptions#", {"1", "5", "2", "0", ""}));
    EXPECT_FALSE(build("dance"));
}

TEST(CafeConsole, openSetsTheUsageModeFirstThenOpensTheSession) {
    EXPECT_EQ(build("open 1")->wire,
              wire(Tags::kWksnDefaultMode, {"1"}) + wire(Tags::kSessionOpen, {"1", "", "", "6"}));
    EXPECT_EQ(build("open 0 member somchai secret")->wire,
              wire(Tags::kWksnDefaultMode, {"0"}) +
                  wire(Tags::kSessionOpen, {"4", "secret", "somchai", "5"}));
    EXPECT_EQ(build("open 1 card 123456")->wire.substr(wire(Tags::kWksnDefaultMode, {"1"}).size()),
              wire(Tags::kSessionOpen, {"2", "", "123456", "6"}));
}

TEST(CafeConsole, wrongArgumentsGiveAnErrorAndNoMessage) {
    for (const auto* line :
         {"open", "open 2", "open 1 card", "recharge", "recharge x", "msg", "disable", "disable a",
          "shutdown", "file 0", "file 0 /no/such/file", "raw", "raw ThisNameIsTooLong"}) {
        const auto result = build(line);
        ASSERT_TRUE(result) << line;
        EXPECT_NE(result->error, "") << line;
        EXPECT_EQ(result->wire, "") << line;
    }
}

TEST(CafeConsole, fileSendsTheBytesAsTheyAre) {
    char path[] = "/tmp/cafe-file-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const std::string content("{\\rtf1 \x00\xA3\r\n}", 12);
    ASSERT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    close(fd);
    EXPECT_EQ(build(std::string("file 0 ") + path)->wire, wire(Tags::kFileSend, {"0", content}));
    unlink(path);
}

TEST(CafeOptions, readsFlagsInBothFormsAndRejectsMistakes) {
    ServerOptions options;
    EXPECT_EQ(options.parse({"--bind", "127.0.0.1", "--tcp-port=0", "--udp-port", "5000",
                             "--wksn-udp-port", "5001", "--advertise", "cafe", "--heartbeat", "0",
                             "--script", "s.txt", "--quiet"}),
              "");
    EXPECT_EQ(options.bindAddress, "127.0.0.1");
    EXPECT_EQ(options.tcpPort, 0);
    EXPECT_EQ(options.udpPort, 5000);
    EXPECT_EQ(options.wksnUdpPort, 5001);
    EXPECT_EQ(options.advertise, "cafe");
    EXPECT_EQ(options.heartbeatSeconds, 0);
    EXPECT_EQ(options.scriptPath, "s.txt");
    EXPECT_TRUE(options.quiet);
    for (const Fields& wrong :
         {Fields{"--tcp-port", "70000"}, Fields{"--tcp-port"}, Fields{"--heartbeat", "-1"},
          Fields{"--colour", "red"}, Fields{"--quiet=yes"}}) {
        ServerOptions fresh;
        const std::vector<std::string_view> args(wrong.begin(), wrong.end());
        EXPECT_NE(fresh.parse(args), "") << wrong[0];
    }
}

// --- scripts -----------------------------------------------------------------------------------

class CafeScript : public ::testing::Test {
protected:
    std::ostringstream out;
    ReceivedLog log;
    ScriptRunner::Clock::time_point t0{};

    void receive(std::string name, std::string field = "") {
        log.add({"pc-07", std::move(name), std::move(field)});
    }
};

TEST_F(CafeScript, sleepHoldsTheFollowingLinesBack) {
    ScriptRunner script({"lock", "sleep 2", "# note", "unpause"}, out);
    EXPECT_EQ(script.due(t0, log), Fields{"lock"});
    EXPECT_EQ(script.wakeAt(), t0 + 2s);
    EXPECT_EQ(script.due(t0 + 1s, log), Fields{});
    EXPECT_EQ(script.due(t0 + 2s, log), Fields{"unpause"});
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(script.failures(), 0);
}

TEST_F(CafeScript, expectLooksOnlyAtMessagesAfterThePreviousCommand) {
    receive("WorkstationState", "3");
    ScriptRunner script({"lock", "expect WorkstationState=3 5", "chat done"}, out);
    EXPECT_EQ(script.due(t0, log), Fields{"lock"});
    EXPECT_EQ(script.due(t0 + 1s, log), Fields{}) << "the state 3 before lock does not count";
    receive("WorkstationState", "2");
    EXPECT_EQ(script.due(t0 + 1s, log), Fields{});
    receive("WorkstationState", "3");
    EXPECT_EQ(script.due(t0 + 1s, log), Fields{"chat done"});
    EXPECT_EQ(script.failures(), 0);
}

TEST_F(CafeScript, aMissedExpectationOrBadLineCountsAsAFailure) {
    ScriptRunner script({"@pc-08 expect ChatMessage 1", "sleep soon", "expect"}, out);
    receive("ChatMessage", "hi"); // from pc-07, not pc-08
    EXPECT_EQ(script.due(t0, log), Fields{});
    EXPECT_EQ(script.due(t0 + 1s, log), Fields{});
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(script.failures(), 3);
    EXPECT_NE(out.str().find("FAILED"), std::string::npos);
}

TEST_F(CafeScript, nextTakesTheVeryNextMessageAndFailsOnAnyOther) {
    ScriptRunner script({"lock", "next WorkstationState=3 5", "next UserID", "next SessionType"},
                        out);
    EXPECT_EQ(script.due(t0, log), Fields{"lock"});
    EXPECT_EQ(script.due(t0, log), Fields{});
    receive("WorkstationState", "3");
    receive("UserID");
    receive("ElapsedTime", "0");
    receive("SessionType", "0");
    EXPECT_EQ(script.due(t0 + 1s, log), Fields{});
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(script.failures(), 1) << out.str();
    EXPECT_NE(out.str().find("next should be SessionType, got ElapsedTime"), std::string::npos);
}

TEST_F(CafeScript, countLooksOnlyAtItsOwnWindow) {
    receive("WorkstationState", "2"); // before the window
    ScriptRunner script(
        {"count WorkstationState 3 2 2", "count WorkstationState=6 2 1", "chat done"}, out);
    EXPECT_EQ(script.due(t0, log), Fields{});
    receive("WorkstationState", "2");
    EXPECT_EQ(script.due(t0 + 2s, log), Fields{}) << "a range waits for the end of its window";
    receive("WorkstationState", "2");
    EXPECT_EQ(script.due(t0 + 3s, log), Fields{});
    EXPECT_EQ(script.wakeAt(), t0 + 5s);
    receive("WorkstationState", "6");
    EXPECT_EQ(script.due(t0 + 3s, log), Fields{"chat done"}) << "a lower bound alone ends early";
    EXPECT_EQ(script.failures(), 0) << out.str();
}

TEST_F(CafeScript, countFailsOnTooFewAtTheEndAndOnTooManyAtOnce) {
    ScriptRunner tooFew({"count WorkstationState 3 2 3"}, out);
    EXPECT_EQ(tooFew.due(t0, log), Fields{});
    receive("WorkstationState", "2");
    EXPECT_EQ(tooFew.due(t0 + 2s, log), Fields{});
    EXPECT_FALSE(tooFew.finished());
    EXPECT_EQ(tooFew.due(t0 + 3s, log), Fields{});
    EXPECT_EQ(tooFew.failures(), 1);

    ScriptRunner none({"count WorkstationState 5 0 0", "count X 1 2 1", "count X"}, out);
    EXPECT_EQ(none.due(t0, log), Fields{});
    receive("WorkstationState", "2");
    EXPECT_EQ(none.due(t0 + 1s, log), Fields{});
    EXPECT_TRUE(none.finished()) << "one is already too many";
    EXPECT_EQ(none.failures(), 3) << out.str();
}

// --- sockets on loopback -----------------------------------------------------------------

UniqueFd udpSocketOnLoopback() {
    return Sockets::bound(SOCK_DGRAM, "127.0.0.1", 0);
}

ServerOptions loopbackOptions(std::uint16_t wksnUdpPort = 4648) {
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.tcpPort = 0;
    options.udpPort = 0;
    options.wksnUdpPort = wksnUdpPort;
    options.heartbeatSeconds = 0;
    return options;
}

// Polls the server until `done` holds or two seconds pass.
bool pollUntil(CafeServer& server, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        server.pollOnce(10ms);
    }
    return true;
}

class LoopbackWorkstation {
public:
    explicit LoopbackWorkstation(std::uint16_t port)
        : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        const sockaddr_in server = Sockets::address("127.0.0.1", port);
        connected_ =
            ::connect(fd_.get(), reinterpret_cast<const sockaddr*>(&server), sizeof server) == 0;
        Sockets::makeNonBlocking(fd_.get());
    }

    bool connected() const { return connected_; }
    void send(const std::string& bytes) {
        ASSERT_EQ(::write(fd_.get(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }

    // Everything received so far.
    const std::string& received() {
        char chunk[4096];
        for (ssize_t got; (got = ::read(fd_.get(), chunk, sizeof chunk)) > 0;) {
            received_.append(chunk, static_cast<std::size_t>(got));
        }
        return received_;
    }

    bool has(const std::string& text) { return received().find(text) != std::string::npos; }

private:
    UniqueFd fd_;
    bool connected_ = false;
    std::string received_;
};

TEST(CafeServerLoopback, greetsAWorkstationAndAnswersItsSessionRequests) {
    std::ostringstream out;
    CafeServer server(loopbackOptions(), out);
    LoopbackWorkstation station(server.tcpPort());
    ASSERT_TRUE(station.connected());
    ASSERT_TRUE(pollUntil(server, [&] { return server.connectionCount() == 1; }));

    const std::string greeting = wire(Tags::kAppVersion, {"1009300"}) +
                                 wire(Tags::kWorkstationName, {"pc-07"}) +
                                 wire(Tags::kComputerName, {"pc07", "somchai", "1", "AABB"}) +
                                 wire(Tags::kRdyForServScreen, {"-1"});
    // Split inside an end tag, as TCP may deliver it.
    station.send(greeting.substr(0, 50));
    server.pollOnce(10ms);
    station.send(greeting.substr(50));
    ASSERT_TRUE(
        pollUntil(server, [&] { return station.has(wire(Tags::kActivateSelfServ, {"1"})); }));
    EXPECT_TRUE(station.received().starts_with(wire(Tags::kAppVersion, {"1009300"}) +
                                               std::string(Tags::kServerDate)));
    EXPECT_TRUE(station.has(wire(Tags::kActivateCards, {"1"})));

    station.send(wire(Tags::kSessionOpen, {"2", "", "999999", "6", ""}) +
                 wire(Tags::kSessionOpen, {"2", "", "123456", "6", ""}) +
                 wire(Tags::kWorkstationState, {"2"}));
    ASSERT_TRUE(pollUntil(server, [&] { return station.has(std::string(Tags::kSessionOK)); }));
    EXPECT_TRUE(station.has(wire(Tags::kSessionNOK, {"2"})));
    EXPECT_TRUE(station.has(std::string(Tags::kSessionOK) + "2" + kSep + "0.00694444444444444"));
    ASSERT_TRUE(pollUntil(server, [&] {
        return out.str().find("<- pc-07 WorkstationState 2\n") != std::string::npos;
    }));

    EXPECT_TRUE(server.execute("@pc-07 chat hello"));
    ASSERT_TRUE(
        pollUntil(server, [&] { return station.has(wire(Tags::kChatMessage, {"hello"})); }));
    EXPECT_FALSE(server.execute("@pc-99 lock"));
}

TEST(CafeServerLoopback, answersDiscoveryOnTheWorkstationPort) {
    const UniqueFd workstation = udpSocketOnLoopback();
    ServerOptions options = loopbackOptions(Sockets::localPort(workstation.get()));
    options.advertise = "cafe-host";
    std::ostringstream out;
    CafeServer server(options, out);

    const sockaddr_in to = Sockets::address("127.0.0.1", server.udpPort());
    const auto sendDatagram = [&](std::string_view bytes) {
        ::sendto(workstation.get(), bytes.data(), bytes.size(), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
    };
    sendDatagram("not a discovery request at all");
    sendDatagram(DiscoveryResponder::kRequestMarker);

    std::string answer;
    ASSERT_TRUE(pollUntil(server, [&] {
        char datagram[256];
        const auto got = ::recv(workstation.get(), datagram, sizeof datagram, 0);
        answer.assign(datagram, got > 0 ? static_cast<std::size_t>(got) : 0);
        return got > 0;
    }));
    EXPECT_EQ(answer, std::string(DiscoveryResponder::kAnswerMarker) + "cafe-host");
    char more[64];
    EXPECT_LT(::recv(workstation.get(), more, sizeof more, 0), 0) << "the junk got an answer";
}

TEST(CafeServerLoopback, aScriptDrivesTheWorkstationAndReportsItsOutcome) {
    std::ostringstream out;
    CafeServer server(loopbackOptions(), out);
    server.runScript({"account card 424242 5", "expect WorkstationName 2", "@pc-07 lock",
                      "expect WorkstationState=3 2"});
    LoopbackWorkstation station(server.tcpPort());
    station.send(wire(Tags::kWorkstationName, {"pc-07"}));
    ASSERT_TRUE(pollUntil(server, [&] { return station.has(wire(Tags::kLockWksn)); }));
    station.send(wire(Tags::kWorkstationState, {"3"}));
    ASSERT_TRUE(pollUntil(server, [&] { return !server.running(); }));
    EXPECT_EQ(server.exitStatus(), 0) << out.str();

    CafeServer failing(loopbackOptions(), out);
    failing.runScript({"lock"}); // nobody connected
    ASSERT_TRUE(pollUntil(failing, [&] { return !failing.running(); }));
    EXPECT_EQ(failing.exitStatus(), 1);
}

TEST(CafeServerLoopback, aScriptSeesWorkstationsConnectAndDisconnect) {
    std::ostringstream out;
    CafeServer server(loopbackOptions(), out);
    server.runScript({"expect ++ 2", "next WorkstationName=pc-07 2", "expect -- 2", "expect ++ 2"});
    {
        LoopbackWorkstation station(server.tcpPort());
        ASSERT_TRUE(pollUntil(server, [&] { return server.connectionCount() == 1; }));
        station.send(wire(Tags::kWorkstationName, {"pc-07"}));
        ASSERT_TRUE(pollUntil(server, [&] {
            return out.str().find("<- pc-07 WorkstationName") != std::string::npos;
        }));
    }
    ASSERT_TRUE(pollUntil(server, [&] { return server.connectionCount() == 0; }));
    LoopbackWorkstation again(server.tcpPort());
    ASSERT_TRUE(pollUntil(server, [&] { return !server.running(); })) << out.str();
    EXPECT_EQ(server.exitStatus(), 0) << out.str();
}

TEST(CafeConnection, dropsAPeerThatStopsReadingOnceTheQueueIsFull) {
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    const UniqueFd reader(ends[1]); // never read
    Sockets::makeNonBlocking(ends[0]);
    Connection connection{UniqueFd{ends[0]}, 1, "peer"};
    const std::string megabyte(1024 * 1024, 'x');
    bool accepted = true;
    for (int i = 0; i < 32 && accepted; ++i) {
        accepted = connection.queue(megabyte);
    }
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(connection.wantsToWrite());
}

} // namespace
} // namespace orvan::cafe::test
