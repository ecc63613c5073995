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
            startExpect(*command, now);
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
    const Expectation& expected = *expectation_;
    if (const auto after = log.find(cursor_, expected.workstation, expected.name, expected.value)) {
        cursor_ = *after;
        out_ << "script: got " << expected.text << std::endl;
    } else if (now >= expected.deadline) {
        fail("no " + expected.text + " in time");
    } else {
        return true;
    }
    expectation_.reset();
    return false;
}

void ScriptRunner::startSleep(const ConsoleCommand& command, Clock::time_point now) {
    const auto wait = command.args.size() == 1 ? Numbers::toDouble(command.args[0]) : std::nullopt;
    if (!wait || *wait < 0) {
        fail("usage: sleep <seconds>");
        return;
    }
    sleepUntil_ = now + seconds(*wait);
}

void ScriptRunner::startExpect(const ConsoleCommand& command, Clock::time_point now) {
    const auto& args = command.args;
    const auto wait = args.size() == 2 ? Numbers::toDouble(args[1])
                                       : std::optional<double>{kDefaultExpectSeconds};
    if (args.empty() || args.size() > 2 || !wait || *wait < 0) {
        fail("usage: expect <tag-name>[=<first field>] [seconds]");
        return;
    }
    Expectation expected{command.target, args[0], std::nullopt, now + seconds(*wait), args[0]};
    if (const auto equals = args[0].find('='); equals != std::string::npos) {
        expected.name = args[0].substr(0, equals);
        expected.value = args[0].substr(equals + 1);
    }
    if (!command.target.empty()) {
        expected.text += " from " + command.target;
    }
    expectation_ = std::move(expected);
}

void ScriptRunner::fail(const std::string& why) {
    ++failures_;
    out_ << "script: FAILED line " << next_ << ": " << why << std::endl;
}

} // namespace orvan::cafe
