#include "link/ServerReports.h"

#include "base/AppVersion.h"
#include "base/DateSerial.h"
#include "base/ErrorReporter.h"
#include "link/SessionSnapshot.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/TcpSocket.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"
#include "wire/WireNumbers.h"

#include <bit>

namespace orvan {
namespace {

// Nine messages of two tags and a short number or user ID each.
constexpr std::size_t kReportCapacity = 512;

} // namespace

ServerReports::ServerReports(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

bool ServerReports::connected() const {
    return context_.platform.wskCli.state() == TcpSocket::kConnected;
}

bool ServerReports::greetingAccepted() const {
    return context_.link.blnServerReady;
}

int ServerReports::lockdownAllowed() const {
    const auto& s = context_.settings;
    if (s.intConfigWizardMachine < 1 || s.intConfigWizardUser < 1 ||
        context_.flags.blnNoLockdownReport) {
        return 0;
    }
    return s.blnAllowLockdown ? 1 : 0;
}

void ServerReports::checkSameComputer() {
    const auto& socket = context_.platform.wskCli;
    auto& flags = context_.flags;
    const bool sameComputer = socket.remoteAddress() == socket.localAddress() ||
                              socket.remoteHostName() == socket.localHostName();
    const bool alreadySet = flags.blnTestMode && flags.blnKeepApps && flags.blnNoLockdownReport;
    if (!sameComputer || context_.constants.wksnCheckSamePcAsServer != 1 ||
        !context_.settings.blnStandaloneWorkstation || alreadySet) {
        return;
    }
    // The manager's own computer must stay usable: no lockdown, no closing of
    // programs, no full-screen blocking for the rest of the run.
    flags.blnTestMode = flags.blnKeepApps = flags.blnNoLockdownReport = true;
    context_.forms.frmBlock.topMost = false;
    // Before the box: it says the lockdown is off, and the keyboard must reach it.
    parts_.lockScreen.giveShellBack();
    context_.messages.funMsg(1, context_.localization.funLoadResString(
                                    10360, socket.localHostName(), socket.localAddress()));
}

void ServerReports::subInitServer() {
    context_.errors.trap("modFunctions.subInitServerError", OnError::LogOnly, [&] {
        if (!connected()) {
            return;
        }
        checkSameComputer();
        const auto& s = context_.settings;
        std::string greeting =
            WireFormat::message(tags::kAppVersion, std::to_string(AppVersion::current().wire())) +
            WireFormat::message(tags::kWorkstationName, s.strWksnName) +
            WireFormat::message(tags::kComputerName,
                                {s.strComputerId, s.strWinUserName,
                                 std::to_string(lockdownAllowed()), s.strWksnAddress}) +
            WireFormat::message(tags::kRdyForServScreen, "-1");
        const auto backup = s.strDataPath + "/server_db_backup.mdb";
        if (const auto modified = context_.platform.files.modifiedUtcMillis(backup)) {
            // Local time, like every date on the wire: the server compares it with its own.
            const auto local = *modified + context_.platform.clock.utcOffsetMillis();
            greeting += WireFormat::message(
                tags::kDBBackupDte,
                context_.numbers.funDblToStr(DateSerial::fromUnixMillis(local)));
        }
        parts_.sender.funSendData(context_.platform.wskCli, greeting, true);
        if (snapshot_ != nullptr) {
            snapshot_->subInitSerializedUser();
        }
        context_.link.blnServerReady = true;
    });
}

void ServerReports::subUpdateServer() {
    context_.errors.trap("modFunctions.subUpdateServerError", OnError::LogOnly, [&] {
        if (!connected()) {
            return;
        }
        auto figures = reportFigures();
        if (figures != reported_) {
            // Forgotten first: a user ID holding a wire marker throws, and is refused again
            // at the next report.
            reported_.reset();
            report_ = buildReport();
            reported_ = std::move(figures);
        }
        parts_.sender.funSendData(context_.platform.wskCli, report_, true);
    });
}

ServerReports::ReportFigures ServerReports::reportFigures() const {
    const auto& w = context_.workstation;
    const auto& s = w.session;
    return {w.intWksnState,
            s.intSessionType,
            s.strUserID,
            std::bit_cast<std::uint32_t>(s.sngUserBalance),
            {std::bit_cast<std::uint64_t>(s.dteElapsedTime),
             std::bit_cast<std::uint64_t>(s.dteRemainingTime),
             std::bit_cast<std::uint64_t>(s.dteRemTimeAparent),
             std::bit_cast<std::uint64_t>(s.dteConnectedTime),
             std::bit_cast<std::uint64_t>(s.dteCnxTimeOffPeak),
             std::bit_cast<std::uint64_t>(s.dteDisconnectedTime)}};
}

std::string ServerReports::buildReport() const {
    const auto& w = context_.workstation;
    const auto& s = w.session;
    const auto& n = context_.numbers;
    std::string report;
    report.reserve(kReportCapacity);
    WireFormat::append(report, tags::kWorkstationState, std::to_string(w.intWksnState));
    WireFormat::append(report, tags::kSessionType, std::to_string(s.intSessionType));
    WireFormat::append(report, tags::kElapsedTime, n.funDblToStr(s.dteElapsedTime));
    WireFormat::append(report, tags::kUserID, s.strUserID);
    if (s.intSessionType == 1) {
        WireFormat::append(report, tags::kUserBalance, n.funSngToStr(s.sngUserBalance));
    } else if (s.intSessionType == 2 || s.intSessionType == 4 || s.intSessionType == 5) {
        WireFormat::append(report, tags::kRemainingTime, n.funDblToStr(s.dteRemainingTime));
        WireFormat::append(report, tags::kRemTimeAparent, n.funDblToStr(s.dteRemTimeAparent));
    }
    WireFormat::append(report, tags::kConnectedTime, n.funDblToStr(s.dteConnectedTime));
    WireFormat::append(report, tags::kCnxtTimeOffPeak, n.funDblToStr(s.dteCnxTimeOffPeak));
    WireFormat::append(report, tags::kDisconnectedTime, n.funDblToStr(s.dteDisconnectedTime));
    return report;
}

void ServerReports::subForceCardUpdate() {
    context_.errors.trap("modFunctions.subForceUpdateError", OnError::LogOnly, [&] {
        if (!connected()) {
            saveSerializedSession();
            return;
        }
        const auto& s = context_.workstation.session;
        parts_.sender.funSendData(
            context_.platform.wskCli,
            WireFormat::message(tags::kForceCardUpdate,
                                {context_.numbers.funDblToStr(s.dteRemainingTime),
                                 context_.numbers.funDblToStr(s.dteRemTimeAparent)}),
            false);
    });
}

void ServerReports::requestServerDate() {
    parts_.sender.funSendData(context_.platform.wskCli, WireFormat::message(tags::kServerDate),
                              true);
}

void ServerReports::saveSerializedSession() {
    if (snapshot_ != nullptr) {
        snapshot_->subSerializeUser();
    }
}

void ServerReports::closeConnection() {
    if (lost_) {
        lost_();
    }
}

} // namespace orvan
