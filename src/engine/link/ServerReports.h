#pragma once

#include "roles/StatusReporting.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

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

    // What each report does is said where it is declared, in StatusReporting.
    bool connected() const override;
    bool greetingAccepted() const override;
    void subInitServer() override;
    void subUpdateServer() override;
    void subForceCardUpdate() override;
    void requestServerDate() override;
    void saveSerializedSession() override;
    void closeConnection() override;

protected:
    EngineContext& context_;

private:
    // What a status report says, to the bit: while nothing changes (a locked workstation,
    // say), the report of half a second ago is sent again instead of being formatted anew.
    struct ReportFigures {
        int state = 0;
        int sessionType = 0;
        std::string userId;
        std::uint32_t balance = 0;
        std::array<std::uint64_t, 6> times{};
        bool operator==(const ReportFigures&) const = default;
    };

    void checkSameComputer();
    int lockdownAllowed() const;
    ReportFigures reportFigures() const;
    std::string buildReport() const;

    Parts parts_;
    std::optional<ReportFigures> reported_;
    std::string report_;
    SessionSnapshot* snapshot_ = nullptr;
    std::function<void()> lost_;
};

} // namespace orvan
