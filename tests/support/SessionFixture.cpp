#include "support/SessionFixture.h"

#include <cmath>

namespace orvan::test {

SessionFixture::SessionFixture() {
    client_ = std::make_unique<Client>(fake.platform(), AppVersion::current(),
                                       [this](EngineContext& context, ServerReports::Parts parts) {
                                           auto recording =
                                               std::make_unique<RecordingReports>(context, parts);
                                           reports = recording.get();
                                           return recording;
                                       });
    configured();
    start();
    // A tariff that charges every usage at the full rate.
    workstation().tariff.intRatioDisconCon = 100;
    workstation().tariff.intOffPeakRatio = 100;
}

void SessionFixture::openPrepaid(int type, int state, double credit, double validFor) {
    auto& s = session();
    s.intSessionType = type;
    s.strUserID = type == Workstation::kCard ? "4711-0815" : "somchai";
    s.dteCreditTime = credit;
    s.dteRemainingTime = credit;
    s.dteValidUntil = context().now() + validFor;
    workstation().setState(state);
    client().sessionControl().funStartSession();
}

void SessionFixture::openPostpaid(int state) {
    session().intSessionType = Workstation::kSelfServicePostpaid;
    workstation().setState(state);
    client().sessionControl().funStartSession();
}

void SessionFixture::minutes(double count) {
    fake.time.advance(std::llround(count * 60'000.0));
}

} // namespace orvan::test
