#pragma once

#include <functional>

namespace orvan {

struct EngineContext;
class LockScreen;
class MessageSender;
class SessionSnapshot;

// What the workstation tells the server: who it is when the link comes up, what it is
// doing twice a second, the moment its credit runs out, and the request for the
// server's clock. Virtual so that session tests can record instead of sending.
class ServerReports {
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
    virtual bool connected() const;
    // The greeting went out; status reports may follow.
    virtual bool greetingAccepted() const;
    // The greeting, when the link comes up.
    virtual void subInitServer();
    // The status report of every 500 ms.
    virtual void subUpdateServer();
    // The immediate credit report when the credit runs out.
    virtual void subForceCardUpdate();
    // Asks the server for its date (an empty date message).
    virtual void requestServerDate();
    // Keeps the session across a restart of the program.
    virtual void saveSerializedSession();
    // Drops the link as if the server had closed it; the watchdog reconnects.
    virtual void closeConnection();

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
