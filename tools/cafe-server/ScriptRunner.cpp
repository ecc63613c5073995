#include "ScriptRunner.h"

#include "Numbers.h"

namespace orvan::cafe {

namespace {

ScriptRunner::Clock::duration seconds(double value) {
    return std::chrono::duration_cast<ScriptRunner::Clock::duration>(
        std::chrono::duration<double>(value));
}

} // namespace

ScriptRunner::ScriptRunner(std::vector<std::string> lines, std::ostream& out)
    : lines_(std::move(lines))
    , out_(out) {}

std::vector<std::string> ScriptRunner::due(Clock::time_point now, const ReceivedLog& log) {
    std::vector<std::string> ready;
    while (!finished_ && !held(now, log)) {
        if (next_ == lines_.size()) {
            finished_ = true;
            break;
        }
        const std::string& line = lines_[next_++];
        const auto command = ConsoleCommand::parse(line);
        if (!command) {
            continue;
        }
        if (command->verb == "sleep") {
            startSleep(*command, now);
        } else if (command->verb == "expect") {
            startExpect(*command, now, Kind::Somewhere);
        } else if (command->verb == "next") {
            startExpect(*command, now, Kind::Next);
        } else if (command->verb == "count") {
            startCount(*command, now, log);
        } else {
            ready.push_back(line);
            cursor_ = log.end();
        }
    }
    return ready;
}

std::optional<ScriptRunner::Clock::time_point> ScriptRunner::wakeAt() const {
    if (sleepUntil_) {
        return sleepUntil_;
    }
    if (expectation_) {
        return expectation_->deadline;
    }
    return std::nullopt;
}

bool ScriptRunner::held(Clock::time_point now, const ReceivedLog& log) {
    if (sleepUntil_) {
        if (now < *sleepUntil_) {
            return true;
        }
        sleepUntil_.reset();
    }
    if (!expectation_) {
        return false;
    }
    if (check(*expectation_, now, log) == Outcome::Waiting) {
        return true;
    }
    expectation_.reset();
    return false;
}

ScriptRunner::Outcome ScriptRunner::check(const Expectation& expected, Clock::time_point now,
                                          const ReceivedLog& log) {
    switch (expected.kind) {
    case Kind::Somewhere:
        if (const auto after =
                log.find(cursor_, expected.workstation, expected.name, expected.value)) {
            cursor_ = *after;
            out_ << "script: got " << expected.text << std::endl;
            return Outcome::Met;
        }
        break;
    case Kind::Next:
        if (const auto after = log.next(cursor_, expected.workstation)) {
            const ReceivedLog::Entry& entry = log.at(*after - 1);
            cursor_ = *after;
            if (entry.name != expected.name ||
                (expected.value && entry.firstField != *expected.value)) {
                fail("next should be " + expected.text + ", got " + entry.name + ' ' +
                     entry.firstField);
                return Outcome::Failed;
            }
            out_ << "script: got " << expected.text << " next" << std::endl;
            return Outcome::Met;
        }
        break;
    case Kind::Count: {
        const std::size_t seen =
            log.count(cursor_, expected.workstation, expected.name, expected.value);
        const bool tooMany = expected.most && seen > *expected.most;
        const bool enough = !expected.most && seen >= expected.least;
        if (!tooMany && !enough && now < expected.deadline) {
            return Outcome::Waiting;
        }
        // Later lines look at what arrives after the window.
        cursor_ = log.end();
        if (tooMany || seen < expected.least) {
            std::string wanted = std::to_string(expected.least);
            if (!expected.most) {
                wanted = "at least " + wanted;
            } else if (*expected.most != expected.least) {
                wanted += " to " + std::to_string(*expected.most);
            }
            fail(std::to_string(seen) + (tooMany ? " or more " : " ") + expected.text +
                 ", wanted " + wanted);
            return Outcome::Failed;
        }
        out_ << "script: got " << seen << ' ' << expected.text << std::endl;
        return Outcome::Met;
    }
    }
    if (now >= expected.deadline) {
        fail("no " + expected.text + " in time");
        return Outcome::Failed;
    }
    return Outcome::Waiting;
}

void ScriptRunner::startSleep(const ConsoleCommand& command, Clock::time_point now) {
    const auto wait = command.args.size() == 1 ? Numbers::toDouble(command.args[0]) : std::nullopt;
    if (!wait || *wait < 0) {
        fail("usage: sleep <seconds>");
        return;
    }
    sleepUntil_ = now + seconds(*wait);
}

ScriptRunner::Expectation ScriptRunner::expectation(Kind kind, const ConsoleCommand& command,
                                                    Clock::time_point deadline) {
    Expectation expected;
    expected.kind = kind;
    expected.workstation = command.target;
    expected.text = command.args[0];
    // "<tag-name>[=<first field>]"
    const std::string& pattern = command.args[0];
    const auto equals = pattern.find('=');
    expected.name = pattern.substr(0, equals);
    if (equals != std::string::npos) {
        expected.value = pattern.substr(equals + 1);
    }
    expected.deadline = deadline;
    if (!command.target.empty()) {
        expected.text += " from " + command.target;
    }
    return expected;
}

void ScriptRunner::startExpect(const ConsoleCommand& command, Clock::time_point now, Kind kind) {
    const auto& args = command.args;
    const auto wait = args.size() == 2 ? Numbers::toDouble(args[1])
                                       : std::optional<double>{kDefaultExpectSeconds};
    if (args.empty() || args.size() > 2 || !wait || *wait < 0) {
        fail("usage: " + command.verb + " <tag-name>[=<first field>] [seconds]");
        return;
    }
    expectation_ = expectation(kind, command, now + seconds(*wait));
}

void ScriptRunner::startCount(const ConsoleCommand& command, Clock::time_point now,
                              const ReceivedLog& log) {
    const auto& args = command.args;
    const bool shaped = args.size() == 3 || args.size() == 4;
    const auto wait = shaped ? Numbers::toDouble(args[1]) : std::nullopt;
    const auto least = shaped ? Numbers::toInt(args[2]) : std::nullopt;
    const auto most = args.size() == 4 ? Numbers::toInt(args[3]) : least;
    if (!wait || *wait < 0 || !least || *least < 0 || !most || *most < *least) {
        fail("usage: count <tag-name>[=<first field>] <seconds> <least> [<most>]");
        return;
    }
    Expectation expected = expectation(Kind::Count, command, now + seconds(*wait));
    expected.text += " in " + args[1] + " s";
    expected.least = static_cast<std::size_t>(*least);
    if (args.size() == 4) {
        expected.most = static_cast<std::size_t>(*most);
    }
    expectation_ = std::move(expected);
    // The window opens now, whatever came before it.
    cursor_ = log.end();
}

void ScriptRunner::fail(const std::string& why) {
    ++failures_;
    out_ << "script: FAILED line " << next_ << ": " << why << std::endl;
}

} // namespace orvan::cafe
