#pragma once

#include <string>

namespace orvan {

struct EngineContext;
class AmountDue;
class LockScreen;
class Login;
class MsgBox;
class ServerDispatcher;
class SessionClock;
class SessionControl;
class SessionSnapshot;
class StatusWindows;

// The server's commands about sessions and billing: answers to a session-open request,
// opening, closing, pausing and resuming sessions, recharges, the server's clock, the
// tariff, Internet notices and chat lines.
class ServerCommands {
public:
    struct Parts {
        SessionControl& sessionControl;
        LockScreen& lockScreen;
        SessionClock& clock;
        AmountDue& amountDue;
        MsgBox& msgBox;
        Login& login;
        SessionSnapshot& snapshot;
        StatusWindows& statusWindows;
    };

    ServerCommands(EngineContext& context, Parts parts);

    void registerWith(ServerDispatcher& dispatcher);

private:
    void sessionOk(const std::string& payload);
    void sessionNok(const std::string& payload);
    void sessionOpen(const std::string& payload);
    void sessionFree();
    void rechargeCard(const std::string& payload);
    void postPaidMode(const std::string& payload);
    void defaultRecharges(const std::string& payload);
    void offPeakParams(const std::string& payload);
    void currencySymbol(const std::string& payload);
    void noInternet();
    void internetBack();
    void chatMessage(const std::string& payload);
    int integer(const std::string& text) const;

    EngineContext& context_;
    Parts parts_;
};

} // namespace orvan
