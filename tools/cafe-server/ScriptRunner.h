#pragma once

#include "ConsoleCommand.h"
#include "ReceivedLog.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvan::cafe {

// Walks through a script for end-to-end tests. It keeps "sleep" and the expectations
// ("expect", "next", "count") to itself and hands every other line to the server when it
// is due. "expect" and "next" look at messages received after the previous command was
// handed out (or after the message the previous expectation matched), so an answer to
// that command is not mistaken for an older message with the same tag. "count" looks at
// what arrives during its own window, so that it measures a rate.
class ScriptRunner {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr double kDefaultExpectSeconds = 10;

    ScriptRunner(std::vector<std::string> lines, std::ostream& out);

    // The lines to run now; stops at a sleep not over yet or an expectation not yet met.
    std::vector<std::string> due(Clock::time_point now, const ReceivedLog& log);

    // When `due` may have something new even if no message arrives.
    std::optional<Clock::time_point> wakeAt() const;

    bool finished() const { return finished_; }
    void finish() { finished_ = true; }
    void countFailure() { ++failures_; }
    int failures() const { return failures_; }

    // The first log position an expectation can still look at.
    std::size_t cursor() const { return cursor_; }

private:
    enum class Kind { Somewhere, Next, Count };

    struct Expectation {
        Kind kind = Kind::Somewhere;
        std::string workstation;
        std::string name;
        std::optional<std::string> value;
        Clock::time_point deadline;
        std::string text;
        std::size_t least = 1;           // Count only
        std::optional<std::size_t> most; // Count only; none: met once `least` have come
    };

    enum class Outcome { Waiting, Met, Failed };

    bool held(Clock::time_point now, const ReceivedLog& log);
    Outcome check(const Expectation& expected, Clock::time_point now, const ReceivedLog& log);
    void startSleep(const ConsoleCommand& command, Clock::time_point now);
    static Expectation expectation(Kind kind, const ConsoleCommand& command,
                                   Clock::time_point deadline);
    void startExpect(const ConsoleCommand& command, Clock::time_point now, Kind kind);
    void startCount(const ConsoleCommand& command, Clock::time_point now, const ReceivedLog& log);
    void fail(const std::string& why);

    std::vector<std::string> lines_;
    std::ostream& out_;
    std::size_t next_ = 0;
    std::optional<Clock::time_point> sleepUntil_;
    std::optional<Expectation> expectation_;
    std::size_t cursor_ = 0;
    int failures_ = 0;
    bool finished_ = false;
};

} // namespace orvan::cafe
