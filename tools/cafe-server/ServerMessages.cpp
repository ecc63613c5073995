#include "ServerMessages.h"

#include "DayNumber.h"
#include "Message.h"
#include "Tags.h"

namespace orvan::cafe {

std::string ServerMessages::greetingAnswer(double now) {
    // Off-peak at 100 % from 22:00 to 06:00, pay-later billing in 15-minute steps with a
    // 30-minute minimum, self-service recharges of one hour for 20 and two hours for 35.
    return Message::build(Tags::kAppVersion, {std::string{kVersion}}) + serverDate(now) +
           Message::build(Tags::kRatioDisconCon, {"100"}) +
           Message::build(Tags::kOffPeakParams, {"100", "0.25", "0.916666666666667"}) +
           Message::build(Tags::kCurrencySymbol, {"THB", "#,##0.00 </currSymbol>"}) +
           Message::build(Tags::kPostPaidMode,
                          {"0", "0.0104166666666667", "0.0208333333333333", "0", "0"}) +
           Message::build(Tags::kDefaultRecharges,
                          {"0.0416666666666667", "20", "0.0833333333333333", "35"}) +
           Message::build(Tags::kActivateCards, {"1"}) +
           Message::build(Tags::kActivateClients, {"1"}) +
           Message::build(Tags::kActivateSelfServ, {"1"});
}

std::string ServerMessages::serverDate(double now) {
    return Message::build(Tags::kServerDate, {DayNumber::format(now)});
}

std::string ServerMessages::sessionAnswer(const AccountBook::Answer& answer) {
    if (!answer.accepted()) {
        return Message::build(Tags::kSessionNOK, {std::to_string(answer.code)});
    }
    return Message::build(Tags::kSessionID, {std::to_string(answer.sessionId)}) +
           Message::build(Tags::kSessionOK,
                          {std::to_string(answer.type), DayNumber::format(answer.remainingDays),
                           DayNumber::format(answer.expiryDays), answer.unlimited ? "1" : "0"});
}

std::string ServerMessages::constants(std::uint16_t udpPortServer, std::uint16_t udpPortWksn) {
    return Message::build(Tags::kVantikConstants,
                          {
                              "255.255.255.255",             // cnxBroardcastAdr
                              "50000",                       // cnxMinSizeTmpFileStore
                              std::to_string(udpPortServer), // cnxUdpPortServer
                              std::to_string(udpPortWksn),   // cnxUdpPortWksn
                              "wardn",                       // genAdminLogon
                              "</currSymbol>",               // genCurrencySymb
                              "90",                          // genScrCapCompressRatio
                              DayNumber::format(DayNumber::fromMinutes(2)), // ActivateDelayTime
                              "1",     // wksnCheckSamePcAsServer
                              "90000", // wksnCnxBootDelay
                              "2000",  // wksnCnxMinDelay
                              "0",     // wksnDisableSessCloseButton
                              "30",    // wksnHeartBeatCheck
                              "0",     // wksnHideAllStatusWin
                              "3",     // wksnMaxNumUseAtempts
                              "1",     // wksnMuteVolWhenBlocked
                              "0",     // wksnRebootOnSessionEnd
                              "30",    // wksnRegistryFlushInterval
                              DayNumber::format(DayNumber::fromMinutes(5)), // SessionExpiryTime
                              "5",                                          // wksnShutdownDelay
                              "30",                                         // wksnStartDelay
                          });
}

std::string ServerMessages::heartbeat() {
    return Message::build(Tags::kServerHeartBeat);
}

} // namespace orvan::cafe
