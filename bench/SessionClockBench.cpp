// Cost of the session clock: a 24-hour session of each type at 100 ms ticks in
// virtual time, timed on the real clock. Prints nanoseconds of engine work per tick.

#include "client/Client.h"
#include "support/FakePlatform.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

using namespace orvan;

constexpr double kMinute = 1.0 / 1440.0;
constexpr long kTicks = 24L * 3600 * 10;

double runDay(int sessionType, int state) {
    test::FakePlatform fake;
    fake.time.setBoot(5 * 60 * 1000);
    fake.store.putString("Software\\OrvanetixClient\\General", "Config Wizard", "1");
    fake.store.write(Hive::User, "Software\\OrvanetixClient\\General", "Config Wizard",
                     std::string{"1"});
    auto client = std::make_unique<Client>(fake.platform());
    client->Main("");
    auto& context = client->context();
    auto& w = context.workstation;
    auto& tariff = w.tariff;
    tariff.intRatioDisconCon = 50;
    tariff.intOffPeakRatio = 80;
    tariff.dteOffPeakStart = 22.0 / 24;
    tariff.dteOffPeakEnd = 6.0 / 24;
    tariff.intBillingMode = 2;
    tariff.dteIncrement = 15 * kMinute;
    tariff.dteMinimumTime = 30 * kMinute;
    tariff.udtRecharges = {{60 * kMinute, 20.0F}, {120 * kMinute, 35.0F}, {300 * kMinute, 80.0F}};
    tariff.strAmountFormat = "#,##0.00 </currSymbol>";
    tariff.strCurrencySymbol = "THB";
    w.messageOptions.intWarnRemaining = 1;
    w.messageOptions.intWarnMinutes1 = 5;
    w.session.intSessionType = sessionType;
    w.session.dteCreditTime = w.session.dteRemainingTime = 2.0; // outlasts the day
    w.session.dteValidUntil = context.now() + 3.0;
    w.setState(state);
    client->sessionControl().funStartSession();

    const auto started = std::chrono::steady_clock::now();
    fake.time.advance(kTicks * 100);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    return std::chrono::duration<double, std::nano>(elapsed).count() / kTicks;
}

} // namespace

int main() {
    struct Case {
        const char* name;
        int type;
        int state;
    };
    const Case cases[] = {
        {"self-service, paid afterwards", 1, 6},
        {"prepaid card, connected", 2, 6},
        {"free session", 3, 7},
        {"member, disconnected", 4, 5},
        {"prepaid self-service", 5, 6},
    };
    std::printf("session clock, 24 h at 100 ms (%ld ticks per run)\n", kTicks);
    for (const auto& c : cases) {
        std::printf("  %-32s %8.0f ns per tick\n", c.name, runDay(c.type, c.state));
    }
    return 0;
}
