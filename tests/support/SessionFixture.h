#pragma once

#include "support/ClientFixture.h"
#include "support/RecordingReports.h"

namespace orvan::test {

// A configured client at its login screen, on a recording server link, with helpers
// to open sessions the way the login and the server do.
class SessionFixture : public ClientFixture {
protected:
    static constexpr double kMinute = 1.0 / 1440.0;

    SessionFixture();

    // A card (type 2) or member (type 4) session in `state` with `credit` of time.
    void openPrepaid(int type, int state, double credit, double validFor = 1.0);
    // A self-service session paid afterwards, in `state`.
    void openPostpaid(int state);
    // Lets `minutes` of virtual time pass.
    void minutes(double count);

    Workstation& workstation() { return context().workstation; }
    SessionRecord& session() { return context().workstation.session; }
    int state() { return context().workstation.intWksnState; }

    RecordingReports* reports = nullptr;
};

} // namespace orvan::test
