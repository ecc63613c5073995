#pragma once

#include "model/MessageOptions.h"
#include "model/SessionRecord.h"
#include "model/Tariff.h"

#include <functional>

namespace orvan {

// The workstation state and everything that describes the customer session.
class Workstation {
public:
    // Values of the workstation state.
    static constexpr int kNotSet = 0;
    static constexpr int kDeactivated = 1;
    static constexpr int kWaiting = 2;
    static constexpr int kBlocked = 3;
    static constexpr int kSessionEnded = 4;
    static constexpr int kDisconnected = 5;
    static constexpr int kConnected = 6;
    static constexpr int kFreeSession = 7;
    static constexpr int kNoCredit = 8;
    static constexpr int kPaused = 9;
    static constexpr int kPausedLocked = 10;
    static constexpr int kPausedFollow = 11;

    // Session types.
    static constexpr int kSelfServicePostpaid = 1;
    static constexpr int kCard = 2;
    static constexpr int kFree = 3;
    static constexpr int kMember = 4;
    static constexpr int kSelfServicePrepaid = 5;

    // True for the states in which the lock screen is up.
    static bool funStateIsBlocked(int state);

    // Moves to `state`, remembering the current one as the previous state.
    void setState(int state);
    // Moves to `state` with `previous` as the state before it: a pause that ends, or a
    // usage mode the server switches, goes back to or records a state of its own.
    void setStates(int state, int previous);
    // A session is running or paused.
    bool sessionExists() const { return intWksnState > kSessionEnded; }

    // Resets the session record and puts both states to the default state.
    void subUserInit(int defaultState, double now);

    // Called before every change of state: the session clock charges the time since its
    // last tick to the state being left, which its next tick may come too late for.
    std::function<void()> beforeStateChange;

    int intWksnState = kNotSet;
    int intPrevWksnState = kNotSet;
    SessionRecord session;
    Tariff tariff;
    MessageOptions messageOptions;

    // Count-downs of the lock screen (day fractions).
    double dteCloseSessionLeft = 0;
    double dteLockOutLeft = 0;

    // Clock and server time; not reset with the record.
    double dteLastTick = 0;
    double dteServerOffset = 0;
    double dteLastHeartBeat = 0;
    bool blnTimeChanged = false;
    // The running session was locked by a change of the system clock, and nobody has
    // paused, locked or resumed it since: the server's date may resume it.
    bool blnLockedByTimeChange = false;
};

} // namespace orvan
