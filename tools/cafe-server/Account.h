#pragma once

#include <string>

namespace orvan::cafe {

// A prepaid card or a member account of the stand-in's table.
struct Account {
    enum class Kind { Card, Member };
    enum class Standing { Good, Banned, Denied };

    Kind kind = Kind::Card;
    std::string id; // card number, or member login in lower case
    std::string password;
    double remainingDays = 0;
    Standing standing = Standing::Good;
    bool unlimited = false;
    std::string holder; // the workstation whose session uses it; empty while free
};

} // namespace orvan::cafe
