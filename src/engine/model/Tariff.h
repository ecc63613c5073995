#pragma once

#include <string>
#include <vector>

namespace orvan {

// One recharge step of the server's table: a duration and its price.
struct Recharge {
    double duration = 0; // day fraction
    float price = 0;
};

// Prices of the session as the server last sent them; kept until replaced.
struct Tariff {
    int intBillingMode = 0; // 1 = recharge-based; anything else time-based
    double dteIncrement = 0;
    double dteMinimumTime = 0;
    int intRechargeOptim = 0;
    double dblTariffParam5 = 0;         // stored only
    std::vector<Recharge> udtRecharges; // ascending duration, in the server's order
    int intRatioDisconCon = 0;          // percent
    int intOffPeakRatio = 0;            // percent
    double dteOffPeakEnd = 0;           // time of day
    double dteOffPeakStart = 0;         // time of day; may lie after the end
    std::string strCurrencySymbol;
    std::string strAmountFormat;
};

} // namespace orvan
