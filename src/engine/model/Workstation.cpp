#include "model/Workstation.h"

namespace orvan {

bool Workstation::funStateIsBlocked(int state) {
    switch (state) {
    case kWaiting:
    case kBlocked:
    case kSessionEnded:
    case kNoCredit:
    case kPaused:
    case kPausedLocked:
    case kPausedFollow:
        return true;
    default:
        return false;
    }
}

void Workstation::setState(int state) {
    setStates(state, intWksnState);
}

void Workstation::setStates(int state, int previous) {
    if (beforeStateChange) {
        beforeStateChange();
    }
    intPrevWksnState = previous;
    intWksnState = state;
}

void Workstation::subUserInit(int defaultState, double now) {
    session = SessionRecord{};
    intWksnState = defaultState;
    intPrevWksnState = defaultState;
    dteLastTick = now;
    blnLockedByTimeChange = false;
}

} // namespace orvan
