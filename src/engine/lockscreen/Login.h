#pragma once

#include "platform/Timer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orvan {

struct EngineContext;
class LockScreen;
class MessageSender;
class MsgBox;
class SessionMoves;
class StatusReporting;

// The session-open request: sent to the server, answered or timed out, then the
// session starts or the refusal is explained; too many refusals lock the workstation.
// The wait is a timer, never a nested loop: messages keep being handled meanwhile.
class Login {
public:
    static constexpr int kCard = 2;
    static constexpr int kMember = 4;
    static constexpr int kSelfService = 1;
    static constexpr std::int64_t kPollMillis = 100;
    static constexpr std::int64_t kReEnableMillis = 5'000;

    struct Parts {
        SessionMoves& session;
        LockScreen& lockScreen;
        MsgBox& msgBox;
        StatusReporting& reports;
        const MessageSender& sender;
    };

    Login(EngineContext& context, Parts parts);

    // `kind` 2 card, 4 member, 1 self-service; `mode` 6 connected, 5 disconnected.
    void subStartConnexion(int kind, int mode, const std::string& identifier,
                           const std::string& secret);
    void tmrActivateTimeout_Timer();

    bool waiting() const;

private:
    struct Request {
        int kind = 0;
        int mode = 0;
        std::string identifier;
        std::string secret;
        std::int64_t sentAtBootMillis = 0;
    };

    void onWaitTick();
    void answered();
    void refused();
    void refuseUnsendable();
    void lockOut();
    void show(const std::string& text);
    void showTwoLines(long first, long second);
    void startReEnableDelay();

    EngineContext& context_;
    Parts parts_;
    Request request_;
    std::unique_ptr<Timer> waitTimer_;
    std::unique_ptr<Timer> tmrActivateTimeout_;
};

} // namespace orvan
