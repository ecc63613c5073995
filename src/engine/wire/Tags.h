#pragma once

#include <string_view>

namespace orvan::tags {

// Every message tag of the protocol, spelled exactly as on the wire: "%$&", the name
// right-aligned in 16 characters filled with "#", and a final "#".
inline constexpr std::string_view kMessageEnd = "%$&######MessageEnd#";
inline constexpr std::string_view kPayloadToken = "%$&####PayloadToken#";
inline constexpr std::string_view kAppVersion = "%$&######AppVersion#";
inline constexpr std::string_view kWorkstationName = "%$&#WorkstationName#";
inline constexpr std::string_view kComputerName = "%$&####ComputerName#";
inline constexpr std::string_view kWorkstationState = "%$&WorkstationState#";
inline constexpr std::string_view kSessionType = "%$&#####SessionType#";
inline constexpr std::string_view kUserID = "%$&##########UserID#";
inline constexpr std::string_view kUserBalance = "%$&#####UserBalance#";
inline constexpr std::string_view kElapsedTime = "%$&#####ElapsedTime#";
inline constexpr std::string_view kConnectedTime = "%$&###ConnectedTime#";
inline constexpr std::string_view kCnxtTimeOffPeak = "%$&#CnxtTimeOffPeak#";
inline constexpr std::string_view kDisconnectedTime = "%$&DisconnectedTime#";
inline constexpr std::string_view kRemainingTime = "%$&###RemainingTime#";
inline constexpr std::string_view kRemTimeAparent = "%$&##RemTimeAparent#";
inline constexpr std::string_view kSessionOpen = "%$&#####SessionOpen#";
inline constexpr std::string_view kSessionClose = "%$&####SessionClose#";
inline constexpr std::string_view kSessionOK = "%$&#######SessionOK#";
inline constexpr std::string_view kSessionNOK = "%$&######SessionNOK#";
inline constexpr std::string_view kSessionURL = "%$&######SessionURL#";
inline constexpr std::string_view kSessionFree = "%$&#####SessionFree#";
inline constexpr std::string_view kSessionID = "%$&#######SessionID#";
inline constexpr std::string_view kSessionResume = "%$&###SessionResume#";
inline constexpr std::string_view kDefaultRecharges = "%$&DefaultRecharges#";
inline constexpr std::string_view kRatioDisconCon = "%$&##RatioDisconCon#";
inline constexpr std::string_view kCurrencySymbol = "%$&##CurrencySymbol#";
inline constexpr std::string_view kOffPeakParams = "%$&###OffPeakParams#";
inline constexpr std::string_view kCheckCardBalance = "%$&CheckCardBalance#";
inline constexpr std::string_view kForceCardUpdate = "%$&#ForceCardUpdate#";
inline constexpr std::string_view kLockWksn = "%$&########LockWksn#";
inline constexpr std::string_view kActivateWksn = "%$&####ActivateWksn#";
inline constexpr std::string_view kDeactivateWksn = "%$&##DeactivateWksn#";
inline constexpr std::string_view kDisableWksn = "%$&#####DisableWksn#";
inline constexpr std::string_view kForceConnected = "%$&##ForceConnected#";
inline constexpr std::string_view kWksnMsgOptions = "%$&##WksnMsgOptions#";
inline constexpr std::string_view kActivateSelfServ = "%$&ActivateSelfServ#";
inline constexpr std::string_view kActivateCards = "%$&###ActivateCards#";
inline constexpr std::string_view kActivateClients = "%$&#ActivateClients#";
inline constexpr std::string_view kShutdownWksn = "%$&####ShutdownWksn#";
inline constexpr std::string_view kRechargeCard = "%$&####RechargeCard#";
inline constexpr std::string_view kPauseWksn = "%$&#######PauseWksn#";
inline constexpr std::string_view kPauseLocKWksn = "%$&###PauseLocKWksn#";
inline constexpr std::string_view kPauseFollowWksn = "%$&#PauseFollowWksn#";
inline constexpr std::string_view kResumeWksn = "%$&######ResumeWksn#";
inline constexpr std::string_view kUnPauseWksn = "%$&#####UnPauseWksn#";
inline constexpr std::string_view kNotifyNoInetCnx = "%$&#NotifyNoInetCnx#";
inline constexpr std::string_view kNotifyInetCnx = "%$&###NotifyInetCnx#";
inline constexpr std::string_view kFileSend = "%$&########FileSend#";
inline constexpr std::string_view kFileTemp = "%$&########FileTemp#";
inline constexpr std::string_view kMessageSend = "%$&#####MessageSend#";
inline constexpr std::string_view kPasswordMangr = "%$&###PasswordMangr#";
inline constexpr std::string_view kPasswordAdmin = "%$&###PasswordAdmin#";
inline constexpr std::string_view kKilledApps = "%$&######KilledApps#";
inline constexpr std::string_view kSEssionCleanup = "%$&##SEssionCleanup#";
inline constexpr std::string_view kHideCardNum = "%$&#####HideCardNum#";
inline constexpr std::string_view kDBBackupDte = "%$&#####DBBackupDte#";
inline constexpr std::string_view kEnablePause = "%$&#####EnablePause#";
inline constexpr std::string_view kPasswordChange = "%$&##PasswordChange#";
inline constexpr std::string_view kServerDate = "%$&######ServerDate#";
inline constexpr std::string_view kSessBatchStart = "%$&##SessBatchStart#";
inline constexpr std::string_view kSessBatchEnd = "%$&####SessBatchEnd#";
inline constexpr std::string_view kSessBatchStyle = "%$&##SessBatchStyle#";
inline constexpr std::string_view kWksnDefaultState = "%$&WksnDefaultState#";
inline constexpr std::string_view kWksnDefaultMode = "%$&#WksnDefaultMode#";
inline constexpr std::string_view kDefaultLanguage = "%$&#DefaultLanguage#";
inline constexpr std::string_view kMsgLogoFilesType = "%$&MsgLogoFilesType#";
inline constexpr std::string_view kChatMessage = "%$&#####ChatMessage#";
inline constexpr std::string_view kEmptySerialzdUsr = "%$&EmptySerialzdUsr#";
inline constexpr std::string_view kRdyForServScreen = "%$&RdyForServScreen#";
inline constexpr std::string_view kPostPaidMode = "%$&####PostPaidMode#";
inline constexpr std::string_view kUsageDefault = "%$&####UsageDefault#";
inline constexpr std::string_view kVantikConstants = "%$&#VantikConstants#";
inline constexpr std::string_view kServerHeartBeat = "%$&#ServerHeartBeat#";

inline constexpr std::size_t kTagLength = 20;

// The whole vocabulary, for checks and for the dispatcher's table.
inline constexpr std::string_view kAll[] = {
    kMessageEnd,       kPayloadToken,    kAppVersion,       kWorkstationName,  kComputerName,
    kWorkstationState, kSessionType,     kUserID,           kUserBalance,      kElapsedTime,
    kConnectedTime,    kCnxtTimeOffPeak, kDisconnectedTime, kRemainingTime,    kRemTimeAparent,
    kSessionOpen,      kSessionClose,    kSessionOK,        kSessionNOK,       kSessionURL,
    kSessionFree,      kSessionID,       kSessionResume,    kDefaultRecharges, kRatioDisconCon,
    kCurrencySymbol,   kOffPeakParams,   kCheckCardBalance, kForceCardUpdate,  kLockWksn,
    kActivateWksn,     kDeactivateWksn,  kDisableWksn,      kForceConnected,   kWksnMsgOptions,
    kActivateSelfServ, kActivateCards,   kActivateClients,  kShutdownWksn,     kRechargeCard,
    kPauseWksn,        kPauseLocKWksn,   kPauseFollowWksn,  kResumeWksn,       kUnPauseWksn,
    kNotifyNoInetCnx,  kNotifyInetCnx,   kFileSend,         kFileTemp,         kMessageSend,
    kPasswordMangr,    kPasswordAdmin,   kKilledApps,       kSEssionCleanup,   kHideCardNum,
    kDBBackupDte,      kEnablePause,     kPasswordChange,   kServerDate,       kSessBatchStart,
    kSessBatchEnd,     kSessBatchStyle,  kWksnDefaultState, kWksnDefaultMode,  kDefaultLanguage,
    kMsgLogoFilesType, kChatMessage,     kEmptySerialzdUsr, kRdyForServScreen, kPostPaidMode,
    kUsageDefault,     kVantikConstants, kServerHeartBeat,
};

} // namespace orvan::tags
