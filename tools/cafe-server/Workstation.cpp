#include "Workstation.h"

#include "Numbers.h"
#include "ServerMessages.h"
#include "Tags.h"

#include <algorithm>
#include <array>

namespace orvan::cafe {

namespace {

// A session is running or paused exactly in the states above this one.
constexpr int kLastStateWithoutSession = 4;

constexpr std::array kStatusReport{
    Tags::kWorkstationState, Tags::kSessionType,      Tags::kUserID,
    Tags::kUserBalance,      Tags::kElapsedTime,      Tags::kConnectedTime,
    Tags::kCnxtTimeOffPeak,  Tags::kDisconnectedTime, Tags::kRemainingTime,
    Tags::kRemTimeAparent,   Tags::kRdyForServScreen,
};

constexpr std::array kWorthAChange{Tags::kWorkstationState, Tags::kSessionType, Tags::kUserID};

bool contains(const auto& tags, std::string_view tag) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

} // namespace

Workstation::Workstation(int number, std::string peer)
    : number_(number)
    , peer_(std::move(peer)) {}

bool Workstation::matches(std::string_view target) const {
    return target == name() || target == peer_ || target == "#" + std::to_string(number_);
}

std::string Workstation::handle(const Message& message, AccountBook& book, double now) {
    const std::string_view tag = message.tag;
    if (tag == Tags::kWorkstationName && !message.field(0).empty()) {
        name_ = message.field(0);
    } else if (tag == Tags::kComputerName) {
        // The last required part of the greeting.
        return ServerMessages::greetingAnswer(now);
    } else if (tag == Tags::kServerDate) {
        return ServerMessages::serverDate(now);
    } else if (tag == Tags::kSessionOpen) {
        return answerSessionOpen(message, book, now);
    } else if (tag == Tags::kWorkstationState) {
        noteState(message.field(0), book);
    } else if (tag == Tags::kRemainingTime || tag == Tags::kForceCardUpdate) {
        noteRemaining(message.field(0));
    } else if (tag == Tags::kPasswordChange) {
        book.changePassword(holder(), message.field(0));
    }
    return {};
}

std::string Workstation::answerSessionOpen(const Message& message, AccountBook& book, double now) {
    const auto request = AccountBook::parseRequest(message.fields);
    if (!request) {
        return ServerMessages::sessionAnswer(AccountBook::Answer{AccountBook::kAccessDenied});
    }
    const auto answer = book.open(*request, holder(), now);
    if (answer.accepted()) {
        remaining_ = answer.remainingDays;
    }
    return ServerMessages::sessionAnswer(answer);
}

void Workstation::noteState(std::string_view field, AccountBook& book) {
    const auto state = Numbers::toInt(field);
    if (!state) {
        return;
    }
    state_ = *state;
    // Releasing only on the way out of a session keeps an account held while a report
    // sent before the acceptance is still on its way.
    if (state_ > kLastStateWithoutSession) {
        inSession_ = true;
    } else if (inSession_) {
        inSession_ = false;
        book.release(holder(), remaining_);
        remaining_.reset();
    }
}

void Workstation::noteRemaining(std::string_view field) {
    if (const auto remaining = Numbers::toDouble(field)) {
        remaining_ = *remaining;
    }
}

void Workstation::disconnected(AccountBook& book) {
    book.release(holder(), remaining_);
}

bool Workstation::worthShowing(const Message& message, bool quiet) {
    if (!quiet || !contains(kStatusReport, message.tag)) {
        return true;
    }
    if (!contains(kWorthAChange, message.tag)) {
        return false;
    }
    auto& last = lastShown_[message.tag];
    const bool changed = last != message.field(0);
    last = message.field(0);
    return changed;
}

} // namespace orvan::cafe
