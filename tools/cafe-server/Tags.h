#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvan::cafe {

// Every tag the stand-in sends or reads, spelled out as it travels. They are literals on
// purpose: deriving them from the client's encoder would let a fault there pass unnoticed
// on both ends of the wire.
class Tags {
public:
    static constexpr std::size_t kLength = 20;

    static constexpr std::string_view kMessageEnd{"%$&######MessageEnd#"};
    static constexpr std::string_view kPayloadToken{"%$&####PayloadToken#"};

    // Sent by the server.
    static constexpr std::string_view kAppVersion{"%$&######AppVersion#"};
    static constexpr std::string_view kServerDate{"%$&######ServerDate#"};
    static constexpr std::string_view kRatioDisconCon{"%$&##RatioDisconCon#"};
    static constexpr std::string_view kOffPeakParams{"%$&###OffPeakParams#"};
    static constexpr std::string_view kCurrencySymbol{"%$&##CurrencySymbol#"};
    static constexpr std::string_view kPostPaidMode{"%$&####PostPaidMode#"};
    static constexpr std::string_view kDefaultRecharges{"%$&DefaultRecharges#"};
    static constexpr std::string_view kActivateCards{"%$&###ActivateCards#"};
    static constexpr std::string_view kActivateClients{"%$&#ActivateClients#"};
    static constexpr std::string_view kActivateSelfServ{"%$&ActivateSelfServ#"};
    static constexpr std::string_view kSessionOK{"%$&#######SessionOK#"};
    static constexpr std::string_view kSessionNOK{"%$&######SessionNOK#"};
    static constexpr std::string_view kSessionID{"%$&#######SessionID#"};
    static constexpr std::string_view kSessionOpen{"%$&#####SessionOpen#"};
    static constexpr std::string_view kSessionClose{"%$&####SessionClose#"};
    static constexpr std::string_view kSessionFree{"%$&#####SessionFree#"};
    static constexpr std::string_view kLockWksn{"%$&########LockWksn#"};
    static constexpr std::string_view kActivateWksn{"%$&####ActivateWksn#"};
    static constexpr std::string_view kPauseWksn{"%$&#######PauseWksn#"};
    static constexpr std::string_view kPauseLocKWksn{"%$&###PauseLocKWksn#"};
    static constexpr std::string_view kPauseFollowWksn{"%$&#PauseFollowWksn#"};
    static constexpr std::string_view kUnPauseWksn{"%$&#####UnPauseWksn#"};
    static constexpr std::string_view kResumeWksn{"%$&######ResumeWksn#"};
    static constexpr std::string_view kRechargeCard{"%$&####RechargeCard#"};
    static constexpr std::string_view kMessageSend{"%$&#####MessageSend#"};
    static constexpr std::string_view kChatMessage{"%$&#####ChatMessage#"};
    static constexpr std::string_view kVantikConstants{"%$&#VantikConstants#"};
    static constexpr std::string_view kDisableWksn{"%$&#####DisableWksn#"};
    static constexpr std::string_view kShutdownWksn{"%$&####ShutdownWksn#"};
    static constexpr std::string_view kFileSend{"%$&########FileSend#"};
    static constexpr std::string_view kServerHeartBeat{"%$&#ServerHeartBeat#"};
    static constexpr std::string_view kWksnDefaultMode{"%$&#WksnDefaultMode#"};

    // Sent by the workstation.
    static constexpr std::string_view kWorkstationName{"%$&#WorkstationName#"};
    static constexpr std::string_view kComputerName{"%$&####ComputerName#"};
    static constexpr std::string_view kWorkstationState{"%$&WorkstationState#"};
    static constexpr std::string_view kSessionType{"%$&#####SessionType#"};
    static constexpr std::string_view kUserID{"%$&##########UserID#"};
    static constexpr std::string_view kUserBalance{"%$&#####UserBalance#"};
    static constexpr std::string_view kElapsedTime{"%$&#####ElapsedTime#"};
    static constexpr std::string_view kConnectedTime{"%$&###ConnectedTime#"};
    static constexpr std::string_view kCnxtTimeOffPeak{"%$&#CnxtTimeOffPeak#"};
    static constexpr std::string_view kDisconnectedTime{"%$&DisconnectedTime#"};
    static constexpr std::string_view kRemainingTime{"%$&###RemainingTime#"};
    static constexpr std::string_view kRemTimeAparent{"%$&##RemTimeAparent#"};
    static constexpr std::string_view kForceCardUpdate{"%$&#ForceCardUpdate#"};
    static constexpr std::string_view kPasswordChange{"%$&##PasswordChange#"};
    static constexpr std::string_view kRdyForServScreen{"%$&RdyForServScreen#"};

    // A tag made from its name (for the console's raw command); empty when the name does
    // not fit the sixteen places.
    static std::string fromName(std::string_view name);

    // The name inside a tag without its fill; text that is no tag comes back unchanged.
    static std::string_view nameOf(std::string_view tag);
};

} // namespace orvan::cafe
