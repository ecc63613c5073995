#include "link/ServerLink.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "link/InboundStream.h"
#include "link/ServerReports.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "platform/AnsiCodec.h"
#include "platform/TcpSocket.h"
#include "platform/UdpSocket.h"
#include "session/SessionClock.h"
#include "session/SessionControl.h"
#include "wire/DiscoveryMarkers.h"
#include "wire/WireNumbers.h"

namespace orvan {
namespace {

bool notConnectedYet(int state) {
    return state == TcpSocket::kClosed || state == TcpSocket::kResolving ||
           state == TcpSocket::kConnecting || state == TcpSocket::kClosing ||
           state == TcpSocket::kError;
}

bool isConfigurationError(int number) {
    return number >= TcpSocket::kErrFirstConfiguration &&
           number <= TcpSocket::kErrLastConfiguration;
}

} // namespace

ServerLink::ServerLink(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

void ServerLink::attachSockets() {
    context_.platform.wskCli.setHandlers({
        [] {}, // the watchdog notices the connection on its next tick
        [this](std::string_view bytes) { wskCli_DataArrival(bytes); },
        [this] { wskCli_Close(); },
        [this](int number, const std::string& description) { wskCli_Error(number, description); },
    });
    context_.platform.wskFindServer.setDatagramHandler(
        [this](std::string_view bytes, const std::string& sender) {
            wskFindServer_DataArrival(bytes, sender);
        });
}

bool ServerLink::lockScreenNeverShown() const {
    return !context_.forms.frmBlock.shownOnce;
}

std::string ServerLink::withState(int state, const std::string& text) const {
    return context_.flags.blnDebugMode ? std::to_string(state) + " - " + text : text;
}

void ServerLink::tmrSrvCnxStatus_Timer() {
    auto& ctx = context_;
    const auto mode = lockScreenNeverShown() ? OnError::Show : OnError::LogOnly;
    try {
        if (!configured_) {
            configured_ = true;
            serverName_ = ctx.settings.strServerName;
            serverPort_ = static_cast<int>(
                ctx.numbers.parse(ctx.settings.strServerPort).value_or(kDiscoveredServerPort));
        }
        const int state = ctx.platform.wskCli.state();
        if (state == TcpSocket::kClosed || state == TcpSocket::kClosing ||
            state == TcpSocket::kError) {
            if (ctx.settings.blnAutoServerCnx) {
                subFindServer();
            } else {
                subConnectToServer();
            }
        }
        if (!ctx.link.blnConnecting) {
            return;
        }
        if (notConnectedYet(state)) {
            showConnecting(state);
        } else if (state == TcpSocket::kConnected) {
            showConnected();
        }
    } catch (const std::exception& error) {
        ctx.errors.report(AppError::fromException(error), "frmMain.tmrSrvCnxStatus_TimerError",
                          mode);
        ctx.timers.tmrSrvCnxStatus->setEnabled(false);
        ctx.forms.frmMain.lblConnexionStatus = ctx.localization.funLoadResString(10260);
    }
}

void ServerLink::showConnecting(int state) {
    auto& ctx = context_;
    auto& texts = ctx.localization;
    auto& block = ctx.forms.frmBlock;
    ctx.forms.frmMain.lblConnexionStatus = withState(state, texts.funLoadResString(10212));
    block.lblCnxIndicator = texts.funLoadResString(10338) + " - " + texts.funLoadResString(10336);
    block.imgNoServCnxToolTip = block.lblCnxIndicator;
    ctx.forms.frmMain.lblServerName =
        ctx.settings.blnAutoServerCnx ? texts.funLoadResString(10310) : serverName_;
    ctx.link.blnConnected = false;
    block.cmdCxnEnabled = false;
    block.cmdReCnxEnabled = false;
    parts_.lockScreen.setSearching(true);
    ctx.link.blnServerReady = false;
    ctx.timers.tmrWksnStatus->setEnabled(true);
}

void ServerLink::showConnected() {
    auto& ctx = context_;
    auto& texts = ctx.localization;
    auto& block = ctx.forms.frmBlock;
    // Stopped first: the greeting may show a message box, and the ticks that run while
    // it is open must not greet a second time.
    ctx.timers.tmrSrvCnxStatus->setEnabled(false);
    ctx.link.blnConnected = true;
    parts_.reports.subInitServer();
    for (auto* status : {&ctx.forms.frmStatus, &ctx.forms.frmSmallStatus}) {
        status->cmdChatEnabled = true;
        status->cmdCliPasswordEnabled = true;
    }
    ctx.forms.frmMain.lblServerName = serverName_;
    ctx.forms.frmMain.lblConnexionStatus =
        withState(TcpSocket::kConnected, texts.funLoadResString(10213));
    block.lblCnxIndicator = texts.funLoadResString(10338) + " - " + texts.funLoadResString(10213);
    block.imgNoServCnxToolTip = block.lblCnxIndicator;
    parts_.lockScreen.setSearching(false);
    block.imgCnxIndicator = 3;
    parts_.lockScreen.applyConnectButtonRule();
    block.cmdReCnxEnabled = ctx.workstation.intWksnState == Workstation::kNoCredit;
    ctx.timers.tmrWksnStatus->setEnabled(true);
    ctx.platform.wskFindServer.close();
    if (ctx.settings.blnStartActive && ctx.workstation.intWksnState < Workstation::kWaiting) {
        parts_.sessionControl.subActivate();
    }
}

void ServerLink::subRestartConnection() {
    if (context_.link.blnDisabled) {
        return;
    }
    context_.platform.wskCli.close();
    context_.platform.wskFindServer.close();
    configured_ = false;
    context_.link.blnConnected = false;
    context_.link.blnServerReady = false;
    context_.timers.tmrSrvCnxStatus->setEnabled(true);
}

void ServerLink::subFindServer() {
    auto& udp = context_.platform.wskFindServer;
    const auto& constants = context_.constants;
    // Listen before asking: a server on a fast network answers before a socket bound
    // after the request could hear it.
    udp.close();
    int error = udp.bind(constants.cnxUdpPortWksn);
    if (error == 0) {
        error = udp.sendTo(constants.cnxBroardcastAdr, constants.cnxUdpPortServer,
                           markers::kDiscoveryRequest);
    }
    if (error != 0 && error != TcpSocket::kErrHostUnreachable) {
        networkConfigurationError();
    }
}

void ServerLink::wskFindServer_DataArrival(std::string_view bytes, const std::string& sender) {
    const auto mode = lockScreenNeverShown() ? OnError::Show : OnError::LogOnly;
    context_.errors.trap("frmMain.wskFindServer_DataArrivalError", mode, [&] {
        if (context_.link.blnDisabled ||
            bytes.substr(0, markers::kDiscoveryAnswer.size()) != markers::kDiscoveryAnswer) {
            return;
        }
        const auto rest =
            context_.platform.codec.fromAnsi(bytes.substr(markers::kDiscoveryAnswer.size()));
        serverName_ = rest.empty() ? sender : rest;
        serverPort_ = kDiscoveredServerPort;
        configured_ = true;
        context_.platform.wskFindServer.close();
        subConnectToServer();
    });
}

void ServerLink::subConnectToServer() {
    context_.errors.trap("modFunctions.subConnectToServerError", OnError::PassOn, [&] {
        auto& socket = context_.platform.wskCli;
        socket.close();
        const int error = socket.connect(serverName_, serverPort_);
        if (isConfigurationError(error)) {
            networkConfigurationError();
            return;
        }
        if (error != 0) {
            throw AppError(error, "The connection to the server could not be started");
        }
        context_.link.blnConnecting = true;
        context_.timers.tmrSrvCnxStatus->setEnabled(true);
        context_.workstation.dteLastHeartBeat = context_.now();
    });
}

void ServerLink::networkConfigurationError() {
    auto& ctx = context_;
    ctx.messages.funMsg(26);
    ctx.timers.tmrSrvCnxStatus->setEnabled(false);
    ctx.forms.frmMain.cmdActiverEnabled = false;
    for (auto* status : {&ctx.forms.frmStatus, &ctx.forms.frmSmallStatus}) {
        status->cmdChatEnabled = false;
        status->cmdCliPasswordEnabled = false;
    }
    ctx.forms.frmPasswdChange.unload();
    ctx.forms.frmMain.lblConnexionStatus = ctx.localization.funLoadResString(10218);
    ctx.settings.blnStartActive = false;
    ctx.link.blnConnecting = false;
}

void ServerLink::wskCli_DataArrival(std::string_view bytes) {
    if (context_.link.blnDisabled) {
        return;
    }
    try {
        context_.workstation.dteLastHeartBeat = context_.now();
        auto& inbound = parts_.inbound;
        if (payloadFolder_ != context_.settings.strDataPath) {
            payloadFolder_ = context_.settings.strDataPath;
            inbound.setTempFilePath(*payloadFolder_ + "/received_file.tmp");
        }
        inbound.setThreshold(context_.constants.cnxMinSizeTmpFileStore);
        inbound.setDebug(context_.flags.blnDebugMode);
        inbound.onData(bytes);
    } catch (const AppError& error) {
        if (error.number() == TcpSocket::kErrWrongState) {
            return;
        }
        dataArrivalFailed(error);
    } catch (const std::exception& error) {
        dataArrivalFailed(AppError::fromException(error));
    }
}

void ServerLink::dataArrivalFailed(const AppError& error) {
    context_.errors.report(error, "frmMain.wskCli_DataArrivalError",
                           lockScreenNeverShown() ? OnError::Show : OnError::LogOnly);
    context_.platform.wskCli.close();
    context_.timers.tmrSrvCnxStatus->setEnabled(true);
    context_.link.blnServerReady = false;
}

void ServerLink::wskCli_Close() {
    context_.errors.trap("frmMain.wskCli_CloseError", OnError::ShowUnlessLocked, [&] {
        auto& ctx = context_;
        ctx.timers.tmrSrvCnxStatus->setEnabled(true);
        for (auto* status : {&ctx.forms.frmStatus, &ctx.forms.frmSmallStatus}) {
            status->cmdChatEnabled = false;
            status->cmdCliPasswordEnabled = false;
        }
        ctx.forms.frmPasswdChange.unload();
        ctx.link.blnServerReady = false;
        ctx.user = std::make_unique<clsUser>();
        ctx.platform.wskCli.close();
        parts_.clock.tmrWksnStatus_Timer();
    });
}

void ServerLink::wskCli_Error(int number, const std::string& description) {
    context_.errors.trap("frmMain.wskCli_ErrorError", OnError::ShowUnlessLocked, [&] {
        if (context_.link.blnDisabled) {
            return;
        }
        static_cast<void>(number);
        static_cast<void>(description);
        wskCli_Close();
    });
}

void ServerLink::subDisableWksn(const std::string& reason) {
    auto& ctx = context_;
    ctx.link.blnDisabled = true; // first: nothing from the network counts from here on
    ctx.platform.wskCli.close();
    ctx.platform.wskFindServer.close();
    ctx.link.blnConnecting = ctx.link.blnConnected = ctx.link.blnServerReady = false;
    stopLinkTimers();
    ctx.errors.trap("modFunctions.subDisableWksnError", OnError::LogOnly, [&] { keepLocked(); });
    auto& main = ctx.forms.frmMain;
    main.cmdActiverEnabled = false;
    main.lblConnexionStatus = ctx.localization.funLoadResString(10260);
    main.lblServerName.clear();
    main.cmdQuitIsDefault = true;
    showDisabled(reason);
}

void ServerLink::stopLinkTimers() {
    auto& timers = context_.timers;
    timers.tmrSrvCnxStatus->setEnabled(false);
    // A session keeps its clock, its application control and its snapshot, as it does
    // while the server is away: its credit still runs out and ends it.
    if (context_.workstation.sessionExists()) {
        return;
    }
    for (auto* timer : {timers.tmrAppKiller.get(), timers.tmrWksnStatus.get(),
                        timers.tmrSessionStatus.get(), timers.tmrURLspy.get()}) {
        timer->setEnabled(false);
    }
}

void ServerLink::keepLocked() {
    auto& w = context_.workstation;
    auto& block = context_.forms.frmBlock;
    block.cmdCxnEnabled = false;
    block.cmdReCnxEnabled = false;
    // A session ends on its own (credit, count-down, the customer's quit) and then
    // finds the blocked screen as its idle state; a deactivated workstation was opened
    // by the administrator or never configured, and the link changes nothing there.
    if (w.sessionExists() || w.intWksnState == Workstation::kDeactivated) {
        return;
    }
    w.setState(Workstation::kBlocked);
    parts_.lockScreen.refresh();
}

void ServerLink::showDisabled(const std::string& reason) {
    auto& ctx = context_;
    auto& texts = ctx.localization;
    auto& block = ctx.forms.frmBlock;
    parts_.lockScreen.setSearching(false);
    block.imgCnxIndicator = 1;
    block.lblCnxIndicator = texts.funLoadResString(10338) + " - " + texts.funLoadResString(10260);
    ctx.log.subWriteLog("modFunctions.subDisableWksn: " + reason);
    const auto text = ctx.messages.funMsgText(27, reason);
    block.imgNoServCnxToolTip = text;
    if (!block.visible) {
        ctx.messages.funMsg(27, reason);
        return;
    }
    // The standard box would open behind the lock screen; the program's own box is
    // drawn over it.
    parts_.msgBox.subShowMsgBox(text, MsgBox::kButtonsOK, MsgBox::kDefaultYes, nullptr, &block,
                                MsgBox::kModal, 0);
}

} // namespace orvan
