#include "model/Workstation.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

TEST(Workstation, lockScreenIsUpExactlyInTheBlockedStates) {
    for (int state = -1; state <= 12; ++state) {
        const bool blocked = state == 2 || state == 3 || state == 4 || (state >= 8 && state <= 11);
        EXPECT_EQ(Workstation::funStateIsBlocked(state), blocked) << "state " << state;
    }
}

TEST(Workstation, userInitResetsTheRecordAndBothStatesToTheDefault) {
    Workstation workstation;
    workstation.setState(Workstation::kConnected);
    workstation.session.strUserID = "123456";
    workstation.session.lngSessionID = 77;
    workstation.session.dteConnectedTime = 0.5;
    workstation.session.intSessionType = Workstation::kCard;
    workstation.session.blnUnlimited = true;
    workstation.session.lngOwedSteps = 3;
    workstation.dteServerOffset = 0.25;

    workstation.subUserInit(3, 46'000.5);

    EXPECT_EQ(workstation.intWksnState, 3);
    EXPECT_EQ(workstation.intPrevWksnState, 3);
    EXPECT_EQ(workstation.session.lngSessionID, -1);
    EXPECT_EQ(workstation.session.strUserID, "");
    EXPECT_EQ(workstation.session.dteConnectedTime, 0);
    EXPECT_EQ(workstation.session.intSessionType, 0);
    EXPECT_FALSE(workstation.session.blnUnlimited);
    EXPECT_EQ(workstation.session.lngOwedSteps, 0);
    EXPECT_EQ(workstation.dteLastTick, 46'000.5);
    EXPECT_EQ(workstation.dteServerOffset, 0.25) << "server time is not part of the record";
}

TEST(Workstation, changingStateRemembersThePreviousOne) {
    Workstation workstation;
    workstation.subUserInit(2, 0);
    workstation.setState(Workstation::kConnected);
    workstation.setState(Workstation::kNoCredit);
    EXPECT_EQ(workstation.intPrevWksnState, Workstation::kConnected);
    EXPECT_TRUE(workstation.sessionExists());
}

} // namespace
} // namespace orvan::test
