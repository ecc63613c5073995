#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvan {

struct EngineContext;
class AppError;
class InboundStream;
class LockScreen;
class MsgBox;
class ServerReports;
class SessionClock;
class SessionControl;

// The one TCP connection to the cafe server: finding the server by broadcast or by
// name, connecting, noticing a lost or silent server, reconnecting without end, and
// disabling the link for good.
class ServerLink {
public:
    static constexpr int kDiscoveredServerPort = 4646;

    struct Parts {
        SessionControl& sessionControl;
        LockScreen& lockScreen;
        ServerReports& reports;
        SessionClock& clock;
        InboundStream& inbound;
        MsgBox& msgBox;
    };

    ServerLink(EngineContext& context, Parts parts);

    // Routes the sockets' events here.
    void attachSockets();

    void tmrSrvCnxStatus_Timer();
    void subFindServer();
    void subConnectToServer();
    // Disables the link for the rest of the run. The workstation stays locked: an idle
    // one goes to (or stays on) the blocked screen, a running session goes on as it
    // does with the link lost and ends on the blocked screen; a deactivated one stays
    // deactivated. Only the administrator's password opens the computer from then on.
    void subDisableWksn(const std::string& reason);
    // Closes the connection and starts the watchdog, which connects again with the
    // settings as they are now (saved by a dialog). Nothing once the link is disabled.
    void subRestartConnection();

    void wskFindServer_DataArrival(std::string_view bytes, const std::string& sender);
    void wskCli_DataArrival(std::string_view bytes);
    void wskCli_Close();
    void wskCli_Error(int number, const std::string& description);

    // Where the server is (a discovered address replaces the setting in memory).
    const std::string& serverName() const { return serverName_; }
    int serverPort() const { return serverPort_; }

private:
    void showConnecting(int state);
    void showConnected();
    void networkConfigurationError();
    void dataArrivalFailed(const AppError& error);
    void stopLinkTimers();
    void keepLocked();
    void showDisabled(const std::string& reason);
    std::string withState(int state, const std::string& text) const;
    bool lockScreenNeverShown() const;

    EngineContext& context_;
    Parts parts_;
    std::string serverName_;
    int serverPort_ = kDiscoveredServerPort;
    bool configured_ = false;
    // The data folder the payload file's path was last made for: arrivals come many a
    // second, and the folder seldom changes.
    std::optional<std::string> payloadFolder_;
};

} // namespace orvan
