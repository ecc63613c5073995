#include "ConsoleCommand.h"

#include <cctype>

namespace orvan::cafe {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Splits off the first word; the second part keeps its text as typed, leading blanks off.
std::pair<std::string_view, std::string_view> firstWord(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end])) {
        ++end;
    }
    return {text.substr(0, end), trimmed(text.substr(end))};
}

std::vector<std::string> tokenize(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        std::string token;
        while (i < text.size() && !isBlank(text[i])) {
            if (text[i] != '"') {
                token.push_back(text[i++]);
                continue;
            }
            const auto close = text.find('"', i + 1);
            const auto end = close == std::string_view::npos ? text.size() : close;
            token.append(text.substr(i + 1, end - i - 1));
            i = end == text.size() ? end : end + 1;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string lowercase(std::string_view text) {
    std::string lower{text};
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

} // namespace

std::optional<ConsoleCommand> ConsoleCommand::parse(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() == '#') {
        return std::nullopt;
    }
    ConsoleCommand command;
    if (line.front() == '@') {
        const auto [target, after] = firstWord(line.substr(1));
        command.target = target;
        line = after;
    }
    const auto [verb, after] = firstWord(line);
    command.verb = lowercase(verb);
    command.rest = after;
    command.args = tokenize(after);
    return command;
}

std::string_view ConsoleCommand::help() {
    return R"(Commands go to every workstation, or to one with an "@name " prefix
(its name, its address, or #number from "list").
  lock | activate | close | free | pause | pauselock | follow | unpause | resume
  open <1|0> [self | prepaid | card <number> | member <login> <password>]
                         open a session on the workstation, 1 connected, 0 disconnected
                         usage (sent as the default usage mode first); default self
  recharge <minutes>     add credit to the running session
  msg <text>             message box          chat <text>     chat line
  constants              the 21 workstation constants at their defaults
  disable <code> [version]                    shutdown <kind>  (1 shut down, 2 restart)
  file <kind> <path>     send a file (0 intro.rtf ... 5 logo.png ... 10 session_batch_end.bat)
  date | heartbeat       send the server date, a heartbeat
  raw <tag-name> [field...]   any message; "a b" is one field, "" an empty one
  list                   connected workstations
  accounts               the account table
  account card <number> <minutes> [banned|denied|unlimited]
  account member <login> <password> <minutes> [banned|denied|unlimited]
  help | quit
In scripts also:
  sleep <seconds>
  expect <tag-name>[=<first field>] [seconds]   wait (default 10 s) for a message that
                         arrived after the previous command; a miss fails the script
  next <tag-name>[=<first field>] [seconds]     the same, and nothing else may come first
  count <tag-name>[=<first field>] <seconds> <least> [<most>]
                         how many arrive from now on during <seconds>
  A tag name of ++ or -- stands for a workstation connecting or disconnecting.
)";
}

} // namespace orvan::cafe
