#pragma once

#include "platform/Timer.h"

#include <cstdint>
#include <memory>

namespace orvan {

struct EngineContext;
class AppControl;
class LockScreen;
class SessionMoves;

// The lock screen's own timers: the close-session and lock-out count-downs, the
// connection indicator's blinking, the window closer a minute after activation and
// the kill-list run at the third 10-second tick.
class LockScreenTimers {
public:
    static constexpr std::int64_t kWindowCloserMillis = 60'000;
    static constexpr std::int64_t kAppKillerMillis = 10'000;
    static constexpr std::int64_t kCountdownMillis = 1'000;
    static constexpr std::int64_t kBlinkMillis = 500;
    static constexpr int kKillTicks = 3;

    struct Parts {
        SessionMoves& session;
        AppControl& appControl;
        LockScreen& lockScreen;
    };

    LockScreenTimers(EngineContext& context, Parts parts);

    // The screen came up: the window closer and the kill-list run start over.
    void onActivate();
    void startCloseSession();
    void stopCloseSession();
    void startUnblock();
    void setBlinking(bool blinking);

    void tmrCloseSession_Timer();
    void tmrUnblock_Timer();
    void tmrNoServCnx_Timer();
    void Timer1_Timer();
    void tmrAppKiller_Timer();

    const Timer& tmrCloseSession() const { return *tmrCloseSession_; }
    const Timer& tmrUnblock() const { return *tmrUnblock_; }
    const Timer& tmrNoServCnx() const { return *tmrNoServCnx_; }
    const Timer& Timer1() const { return *Timer1_; }
    const Timer& tmrAppKiller() const { return *tmrAppKiller_; }

private:
    std::unique_ptr<Timer> make(std::int64_t millis, void (LockScreenTimers::*tick)());
    static void restart(Timer& timer);
    void closeWindows();
    std::string killLogPath() const;

    EngineContext& context_;
    Parts parts_;
    std::uint16_t killTicks_ = 0;
    bool blinkOn_ = false;
    std::unique_ptr<Timer> tmrCloseSession_;
    std::unique_ptr<Timer> tmrUnblock_;
    std::unique_ptr<Timer> tmrNoServCnx_;
    std::unique_ptr<Timer> Timer1_;
    std::unique_ptr<Timer> tmrAppKiller_;
};

} // namespace orvan
