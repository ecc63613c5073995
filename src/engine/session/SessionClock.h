#pragma once

#include <cstdint>
#include <string>

namespace orvan {

struct EngineContext;
class AmountDue;
class LockScreen;
class MsgBox;
class SessionControl;
class StatusReporting;

// The session clock and its neighbours on the main window: the tick that charges
// elapsed time to the session (every 100 ms, or at the next second a prepaid count-down
// shows), the 500 ms workstation status, the delayed first connection, and the
// protection against changes of the system clock.
class SessionClock {
public:
    struct Parts {
        AmountDue& amountDue;
        MsgBox& msgBox;
        SessionControl& sessionControl;
        LockScreen& lockScreen;
        StatusReporting& reports;
    };

    SessionClock(EngineContext& context, Parts parts);

    void tmrSessionStatus_Timer();
    void tmrWksnStatus_Timer();
    void tmrActivateClient_Timer();
    void sysInfo_TimeChanged();
    // The server's date has arrived: a session locked by a clock change resumes.
    void onServerDate(double serverDate);

    // A new session starts counting from now, not from when the record was reset; its
    // labels are written afresh.
    void restartCounting();

    std::string funFormatTime(double duration, int mode = 0) const;
    std::string funFormatAmount(float amount) const;

    // The link to the server was lost and not yet regained.
    bool linkLost() const { return linkLost_; }

private:
    void chargeUntilNow();
    double stepSinceLastTick();
    double serverTimeOfDay() const;
    void chargeStep(double step, double timeOfDay);
    void tickPostpaid();
    void tickPrepaid(double timeOfDay);
    void warnBeforeTheEnd(double apparent);
    void showRemaining(bool limited);
    // Sets the timer to tick next when what the session shows changes, or ends.
    void planNextTick();
    std::int64_t millisToNextChange() const;
    bool nearOffPeakEdge() const;

    // What the labels show changes once a second; the tick runs ten times as often.
    struct Shown {
        long long remainingSeconds = -2;
        double validUntil = -1;
        long long usedSeconds = -1;
        long long elapsedSeconds = -1;
        float balance = -1;
        long long nextSeconds = -2;
        // A new language or currency writes every label afresh.
        std::string language;
        std::string amountFormat;
        std::string currency;
    };
    void forgetShownOnNewTexts();

    EngineContext& context_;
    Parts parts_;
    Shown shown_;
    std::int64_t lastTickBootMillis_ = 0;
    long long lastApparentSeconds_ = -1; // previous tick's apparent time, for the warnings
    bool countingDown_ = false;          // the last tick showed a limited apparent time
    bool linkLost_ = false;
};

} // namespace orvan
