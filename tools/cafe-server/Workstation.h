#pragma once

#include "AccountBook.h"
#include "Message.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvan::cafe {

// What the server knows of one connected workstation, and its answers to what that
// workstation says. No sockets here: the answers come back as wire text.
class Workstation {
public:
    Workstation(int number, std::string peer);

    // The name from its greeting, or its address until it has introduced itself.
    const std::string& name() const { return name_.empty() ? peer_ : name_; }
    const std::string& peer() const { return peer_; }
    int number() const { return number_; }
    int state() const { return state_; }

    // True for "@name", "@address" and "@#number".
    bool matches(std::string_view target) const;

    // Takes in one message; returns the answer to send back (empty when none).
    std::string handle(const Message& message, AccountBook& book, double now);

    // Frees the accounts its session held.
    void disconnected(AccountBook& book);

    // Whether to print a received message. Quiet mode hides the status report, sent twice
    // a second, except when the state, session type or user changes.
    bool worthShowing(const Message& message, bool quiet);

private:
    std::string holder() const { return "#" + std::to_string(number_); }
    std::string answerSessionOpen(const Message& message, AccountBook& book, double now);
    void noteState(std::string_view field, AccountBook& book);
    void noteRemaining(std::string_view field);

    int number_;
    std::string peer_;
    std::string name_;
    int state_ = -1;
    bool inSession_ = false;
    std::optional<double> remaining_;
    std::map<std::string, std::string, std::less<>> lastShown_;
};

} // namespace orvan::cafe
