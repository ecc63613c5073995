#pragma once

namespace orvan {

struct EngineContext;

// What the session procedures tell the server, and the state of the link they ask
// about. The messages themselves are built with the server link; until then these
// are the call sites.
class ServerReports {
public:
    explicit ServerReports(EngineContext& context);
    virtual ~ServerReports() = default;

    // The TCP link to the server is connected.
    virtual bool connected() const;
    // The server has accepted the workstation's greeting.
    virtual bool greetingAccepted() const;
    // The status report of every 500 ms.
    virtual void subUpdateServer();
    // The immediate credit report when the credit runs out.
    virtual void subForceCardUpdate();
    // Asks the server for its date (an empty date message).
    virtual void requestServerDate();
    // Keeps the session across a restart of the program.
    virtual void saveSerializedSession();
    // Drops the link; the connection watchdog reconnects.
    virtual void closeConnection();

protected:
    EngineContext& context_;
};

} // namespace orvan
