#include "CommandMessages.h"

#include "AccountBook.h"
#include "DayNumber.h"
#include "Message.h"
#include "Numbers.h"
#include "ServerMessages.h"
#include "Tags.h"

#include <array>
#include <fstream>
#include <iterator>
#include <utility>

namespace orvan::cafe {

namespace {

using Result = CommandMessages::Result;

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kBareCommands{{
    {"lock", Tags::kLockWksn},
    {"activate", Tags::kActivateWksn},
    {"close", Tags::kSessionClose},
    {"free", Tags::kSessionFree},
    {"pause", Tags::kPauseWksn},
    {"pauselock", Tags::kPauseLocKWksn},
    {"follow", Tags::kPauseFollowWksn},
    {"unpause", Tags::kUnPauseWksn},
    {"resume", Tags::kResumeWksn},
}};

Result failure(std::string error) {
    return Result{{}, std::move(error)};
}

Result sent(std::string wire) {
    return Result{std::move(wire), {}};
}

bool isInteger(std::string_view text) {
    return Numbers::toInt(text).has_value();
}

} // namespace

std::optional<Result> CommandMessages::build(const ConsoleCommand& command,
                                             const Context& context) {
    for (const auto& [verb, tag] : kBareCommands) {
        if (command.verb == verb) {
            return sent(Message::build(tag));
        }
    }
    const std::string_view verb = command.verb;
    if (verb == "heartbeat") {
        return sent(ServerMessages::heartbeat());
    }
    if (verb == "date") {
        return sent(ServerMessages::serverDate(context.now));
    }
    if (verb == "constants") {
        return sent(ServerMessages::constants(context.udpPortServer, context.udpPortWksn));
    }
    if (verb == "open") {
        return open(command);
    }
    if (verb == "recharge") {
        return recharge(command, context.now);
    }
    if (verb == "msg") {
        return text(Tags::kMessageSend, command);
    }
    if (verb == "chat") {
        return text(Tags::kChatMessage, command);
    }
    if (verb == "disable") {
        return disable(command);
    }
    if (verb == "shutdown") {
        return shutdown(command);
    }
    if (verb == "file") {
        return file(command);
    }
    if (verb == "raw") {
        return raw(command);
    }
    return std::nullopt;
}

CommandMessages::Result CommandMessages::open(const ConsoleCommand& command) {
    const auto& args = command.args;
    constexpr auto kUsage = "usage: open <1|0> [self | prepaid | card <number> | member <login> "
                            "<password>]";
    if (args.empty() || (args[0] != "1" && args[0] != "0")) {
        return failure(kUsage);
    }
    const std::string kind = args.size() > 1 ? args[1] : "self";
    int type = 0;
    std::string identifier;
    std::string password;
    if (kind == "self" && args.size() <= 2) {
        type = AccountBook::kSelfService;
    } else if (kind == "prepaid" && args.size() == 2) {
        type = AccountBook::kPrepaidSelfService;
    } else if (kind == "card" && args.size() == 3) {
        type = AccountBook::kCard;
        identifier = args[2];
    } else if (kind == "member" && args.size() == 4) {
        type = AccountBook::kMember;
        identifier = args[2];
        password = args[3];
    } else {
        return failure(kUsage);
    }
    // The workstation takes the usage mode of a session the server opens from its default
    // usage mode, so that goes first.
    const std::string usageMode = args[0] == "1" ? "6" : "5";
    return sent(Message::build(Tags::kWksnDefaultMode, {args[0]}) +
                Message::build(Tags::kSessionOpen,
                               {std::to_string(type), password, identifier, usageMode}));
}

CommandMessages::Result CommandMessages::recharge(const ConsoleCommand& command, double now) {
    const auto minutes =
        command.args.size() == 1 ? Numbers::toDouble(command.args[0]) : std::nullopt;
    if (!minutes) {
        return failure("usage: recharge <minutes>");
    }
    return sent(
        Message::build(Tags::kRechargeCard, {DayNumber::format(DayNumber::fromMinutes(*minutes)),
                                             DayNumber::format(now + AccountBook::kValidityDays)}));
}

CommandMessages::Result CommandMessages::text(std::string_view tag, const ConsoleCommand& command) {
    if (command.rest.empty()) {
        return failure("usage: " + command.verb + " <text>");
    }
    return sent(Message::build(tag, {command.rest}));
}

CommandMessages::Result CommandMessages::disable(const ConsoleCommand& command) {
    const auto& args = command.args;
    if (args.empty() || args.size() > 2 || !isInteger(args[0]) ||
        (args.size() == 2 && !isInteger(args[1]))) {
        return failure("usage: disable <code> [version]");
    }
    return sent(Message::build(Tags::kDisableWksn, args));
}

CommandMessages::Result CommandMessages::shutdown(const ConsoleCommand& command) {
    if (command.args.size() != 1 || !isInteger(command.args[0])) {
        return failure("usage: shutdown <kind>");
    }
    return sent(Message::build(Tags::kShutdownWksn, command.args));
}

CommandMessages::Result CommandMessages::file(const ConsoleCommand& command) {
    const auto& args = command.args;
    if (args.size() != 2 || !isInteger(args[0])) {
        return failure("usage: file <kind> <path>");
    }
    std::ifstream in(args[1], std::ios::binary);
    if (!in) {
        return failure("cannot read " + args[1]);
    }
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return failure("cannot read " + args[1]);
    }
    if (content.size() > kMaxFileBytes) {
        return failure(args[1] + " is larger than " + std::to_string(kMaxFileBytes) + " bytes");
    }
    return sent(Message::build(Tags::kFileSend, {args[0], std::move(content)}));
}

CommandMessages::Result CommandMessages::raw(const ConsoleCommand& command) {
    if (command.args.empty()) {
        return failure("usage: raw <tag-name> [field...]");
    }
    const std::string tag = Tags::fromName(command.args[0]);
    if (tag.empty()) {
        return failure("a tag name has 1 to 16 characters: " + command.args[0]);
    }
    const std::vector<std::string> fields(command.args.begin() + 1, command.args.end());
    return sent(Message::build(tag, fields));
}

} // namespace orvan::cafe
