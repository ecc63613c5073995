#pragma once

namespace orvan {

// What the workstation tells the server, for the login and the session clock below
// the link that sends it.
class StatusReporting {
public:
    // The TCP link to the server is connected.
    virtual bool connected() const = 0;
    // The greeting went out; status reports may follow.
    virtual bool greetingAccepted() const = 0;
    // The greeting, when the link comes up.
    virtual void subInitServer() = 0;
    // The status report of every 500 ms.
    virtual void subUpdateServer() = 0;
    // The immediate credit report when the credit runs out.
    virtual void subForceCardUpdate() = 0;
    // Asks the server for its date (an empty date message).
    virtual void requestServerDate() = 0;
    // Keeps the session across a restart of the program.
    virtual void saveSerializedSession() = 0;
    // Drops the link as if the server had closed it; the watchdog reconnects.
    virtual void closeConnection() = 0;

protected:
    ~StatusReporting() = default;
};

} // namespace orvan
