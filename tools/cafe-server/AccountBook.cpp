#include "AccountBook.h"

#include "DayNumber.h"
#include "Numbers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

namespace orvan::cafe {

namespace {

std::string lowercase(std::string_view text) {
    std::string lower{text};
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

Account makeAccount(Account::Kind kind, std::string id, std::string password, double minutes,
                    Account::Standing standing = Account::Standing::Good, bool unlimited = false) {
    return Account{kind,
                   std::move(id),
                   std::move(password),
                   DayNumber::fromMinutes(minutes),
                   standing,
                   unlimited,
                   {}};
}

AccountBook::Answer refused(int code) {
    return AccountBook::Answer{code, 0, 0, 0, false, 0};
}

// Applies the optional last word of an account line; false when it is none of the flags.
bool applyFlag(Account& account, std::string_view flag) {
    if (flag == "banned") {
        account.standing = Account::Standing::Banned;
    } else if (flag == "denied") {
        account.standing = Account::Standing::Denied;
    } else if (flag == "unlimited") {
        account.unlimited = true;
    } else {
        return false;
    }
    return true;
}

const char* kindName(Account::Kind kind) {
    return kind == Account::Kind::Card ? "card" : "member";
}

} // namespace

AccountBook AccountBook::builtIn() {
    using enum Account::Kind;
    using Standing = Account::Standing;
    AccountBook book;
    // Six digits: the only length the lock screen lets a customer type.
    book.add(makeAccount(Card, "123456", "", 10));
    book.add(makeAccount(Card, "999999", "", 10, Standing::Banned));
    book.add(makeAccount(Card, "555555", "", 0));
    book.add(makeAccount(Card, "777777", "", 24 * 60, Standing::Good, true));
    book.add(makeAccount(Card, "101010", "", 10, Standing::Denied));
    // Other lengths, for sessions the server opens itself.
    book.add(makeAccount(Card, "1234567890", "", 10));
    book.add(makeAccount(Card, "9999", "", 10, Standing::Banned));
    book.add(makeAccount(Member, "somchai", "secret", 120));
    book.add(makeAccount(Member, "malee", "secret", 120, Standing::Banned));
    book.add(makeAccount(Member, "noi", "secret", 0));
    return book;
}

std::optional<AccountBook::Request>
AccountBook::parseRequest(const std::vector<std::string>& fields) {
    constexpr std::size_t kNeeded = 3;
    if (fields.size() < kNeeded) {
        return std::nullopt;
    }
    const auto type = Numbers::toInt(fields[0]);
    if (!type) {
        return std::nullopt;
    }
    return Request{*type, fields[1], fields[2]};
}

void AccountBook::add(Account account) {
    if (account.kind == Account::Kind::Member) {
        account.id = lowercase(account.id);
    }
    if (Account* existing = findMutable(account.kind, account.id)) {
        *existing = std::move(account);
        return;
    }
    accounts_.push_back(std::move(account));
}

std::string AccountBook::addFromArgs(const std::vector<std::string>& args) {
    const bool card = !args.empty() && args[0] == "card";
    const bool member = !args.empty() && args[0] == "member";
    const std::size_t minutesAt = card ? 2 : 3;
    if ((!card && !member) || args.size() <= minutesAt || args.size() > minutesAt + 2) {
        return "usage: account card <number> <minutes> [banned|denied|unlimited] | "
               "account member <login> <password> <minutes> [banned|denied|unlimited]";
    }
    const auto minutes = Numbers::toDouble(args[minutesAt]);
    if (!minutes || *minutes < 0) {
        return "minutes must be a number of at least 0: " + args[minutesAt];
    }
    Account account = makeAccount(card ? Account::Kind::Card : Account::Kind::Member, args[1],
                                  card ? std::string{} : args[2], *minutes);
    if (args.size() > minutesAt + 1 && !applyFlag(account, args[minutesAt + 1])) {
        return "unknown flag: " + args[minutesAt + 1];
    }
    add(std::move(account));
    return {};
}

AccountBook::Answer AccountBook::open(const Request& request, std::string_view holder,
                                      double today) {
    switch (request.type) {
    case kSelfService:
        return accept(kSelfService, 0, 0, false);
    case kPrepaidSelfService:
        return accept(kPrepaidSelfService, DayNumber::fromMinutes(kPrepaidSelfServiceMinutes),
                      today + kValidityDays, false);
    case kCard:
        return openAccount(Account::Kind::Card, request, holder, today);
    case kMember:
        return openAccount(Account::Kind::Member, request, holder, today);
    default:
        return refused(kAccessDenied);
    }
}

AccountBook::Answer AccountBook::openAccount(Account::Kind kind, const Request& request,
                                             std::string_view holder, double today) {
    const bool card = kind == Account::Kind::Card;
    Account* account = findMutable(kind, card ? request.identifier : lowercase(request.identifier));
    if (account == nullptr || (!card && account->password != request.password)) {
        return refused(card ? kCardUnknown : kMemberWrong);
    }
    if (account->standing == Account::Standing::Banned) {
        return refused(card ? kCardBarred : kMemberBarred);
    }
    if (account->standing == Account::Standing::Denied) {
        return refused(kAccessDenied);
    }
    if (!account->holder.empty() && account->holder != holder) {
        return refused(card ? kCardInUse : kMemberInUse);
    }
    if (!account->unlimited && account->remainingDays <= 0) {
        return refused(card ? kCardNoTime : kMemberNoTime);
    }
    account->holder = holder;
    return accept(request.type, account->remainingDays, today + kValidityDays, account->unlimited);
}

AccountBook::Answer AccountBook::accept(int type, double remainingDays, double expiryDays,
                                        bool unlimited) {
    return Answer{0, type, remainingDays, expiryDays, unlimited, nextSessionId_++};
}

void AccountBook::release(std::string_view holder, std::optional<double> remainingDays) {
    for (Account& account : accounts_) {
        if (account.holder != holder) {
            continue;
        }
        account.holder.clear();
        if (remainingDays && !account.unlimited) {
            account.remainingDays = std::max(0.0, *remainingDays);
        }
    }
}

void AccountBook::changePassword(std::string_view holder, std::string_view password) {
    for (Account& account : accounts_) {
        if (account.holder == holder && account.kind == Account::Kind::Member) {
            account.password = password;
        }
    }
}

const Account* AccountBook::find(Account::Kind kind, std::string_view id) const {
    const auto found = std::find_if(accounts_.begin(), accounts_.end(),
                                    [&](const Account& a) { return a.kind == kind && a.id == id; });
    return found == accounts_.end() ? nullptr : &*found;
}

Account* AccountBook::findMutable(Account::Kind kind, std::string_view id) {
    return const_cast<Account*>(std::as_const(*this).find(kind, id));
}

std::vector<std::string> AccountBook::describe() const {
    static constexpr const char* kStanding[] = {"", " banned", " denied"};
    std::vector<std::string> lines;
    for (const Account& account : accounts_) {
        char minutes[32];
        std::snprintf(minutes, sizeof minutes, "%.1f min",
                      account.remainingDays * DayNumber::kMinutesPerDay);
        std::string line = std::string(kindName(account.kind)) + ' ' + account.id;
        if (account.kind == Account::Kind::Member) {
            line += " / " + account.password;
        }
        line += std::string(", ") + minutes + kStanding[static_cast<int>(account.standing)];
        line += account.unlimited ? " unlimited" : "";
        line += account.holder.empty() ? "" : ", in use by " + account.holder;
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace orvan::cafe
