#pragma once

#include "Account.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// The cards and member accounts the stand-in knows, and its answer to a session-open
// request. An account is held by one workstation from the accepted request until that
// workstation's session ends, so a second workstation is refused meanwhile.
class AccountBook {
public:
    // Answer codes the workstation explains to the customer; 0 accepts.
    static constexpr int kCardUnknown = 1;
    static constexpr int kCardBarred = 2;
    static constexpr int kCardNoTime = 3;
    static constexpr int kCardInUse = 4;
    static constexpr int kMemberWrong = 5;
    static constexpr int kMemberBarred = 6;
    static constexpr int kMemberNoTime = 7;
    static constexpr int kMemberInUse = 8;
    static constexpr int kAccessDenied = 10;

    // Session types of the request.
    static constexpr int kSelfService = 1;
    static constexpr int kCard = 2;
    static constexpr int kMember = 4;
    static constexpr int kPrepaidSelfService = 5;

    static constexpr double kValidityDays = 30;
    static constexpr double kPrepaidSelfServiceMinutes = 60;

    struct Request {
        int type = 0;
        std::string password;
        std::string identifier;
    };

    struct Answer {
        int code = 0;
        int type = 0;
        double remainingDays = 0;
        double expiryDays = 0;
        bool unlimited = false;
        long sessionId = 0;

        bool accepted() const { return code == 0; }
    };

    static AccountBook builtIn();

    // Fields of a session-open request: type, password, identifier (usage mode follows
    // and is not needed here).
    static std::optional<Request> parseRequest(const std::vector<std::string>& fields);

    // Adds or replaces an account.
    void add(Account account);

    // "card <number> <minutes> [flag]" or "member <login> <password> <minutes> [flag]",
    // flag one of banned, denied, unlimited. Returns an error text, empty on success.
    std::string addFromArgs(const std::vector<std::string>& args);

    Answer open(const Request& request, std::string_view holder, double today);

    // Frees what `holder` used; the credit left becomes the account's remaining time.
    void release(std::string_view holder, std::optional<double> remainingDays);

    void changePassword(std::string_view holder, std::string_view password);

    const Account* find(Account::Kind kind, std::string_view id) const;

    std::vector<std::string> describe() const;

private:
    Answer openAccount(Account::Kind kind, const Request& request, std::string_view holder,
                       double today);
    Answer accept(int type, double remainingDays, double expiryDays, bool unlimited);
    Account* findMutable(Account::Kind kind, std::string_view id);

    std::vector<Account> accounts_;
    long nextSessionId_ = 1;
};

} // namespace orvan::cafe
