#pragma once

#include "roles/StatusReporting.h"

#include <functional>

namespace orvan {

struct EngineContext;
class LockScreen;
class MessageSender;
class SessionSnapshot;

// What the workstation tells the server: who it is when the link comes up, what it is
// doing twice a second, the moment its credit runs out, and the request for the
// server's clock. Virtual so that session tests can record instead of sending.
class ServerReports : public StatusReporting {
public:
    struct Parts {
        const MessageSender& sender;
        LockScreen& lockScreen;
    };

    ServerReports(EngineContext& context, Parts parts);
    virtual ~ServerReports() = default;

    // Built later than the reports; handed in by the client.
    void setSnapshot(SessionSnapshot& snapshot) { snapshot_ = &snapshot; }
    // What to do when the server has gone silent (the link's close handling).
    void setConnectionLostHandler(std::function<void()> handler) { lost_ = std::move(handler); }

    // The TCP link to the server is connected.
    bool connected() const override;
    // The greeting went out; status reports may follow.
    bool greetingAccepted() const override;
    // The greeting, when the link comes up.
    void subInitServer() override;
    // The status report of every 500 ms.
    void subUpdateServer() override;
    // The immediate credit report when the credit runs out.
    void subForceCardUpdate() override;
    // Asks the server for its date (an empty date message).
    void requestServerDate() override;
    // Keeps the session across a restart of the program.
    void saveSerializedSession() override;
    // Drops the link as if the server had closed it; the watchdog reconnects.
    void closeConnection() override;

protected:
    EngineContext& context_;

private:
    void checkSameComputer();
    int lockdownAllowed() const;

    Parts parts_;
    SessionSnapshot* snapshot_ = nullptr;
    std::function<void()> lost_;
};

} // namespace orvan
