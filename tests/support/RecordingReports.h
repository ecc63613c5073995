#pragma once

#include "link/ServerReports.h"

namespace orvan::test {

// Records what session procedures tell the server, on a link the test connects.
class RecordingReports : public ServerReports {
public:
    using ServerReports::ServerReports;

    bool connected() const override { return linkUp; }
    bool greetingAccepted() const override { return greeted; }
    void subUpdateServer() override { ++statusReports; }
    void subForceCardUpdate() override { ++forcedUpdates; }
    void requestServerDate() override { ++dateRequests; }
    void saveSerializedSession() override { ++snapshots; }
    void closeConnection() override {
        ++closes;
        linkUp = false;
    }

    bool linkUp = false;
    bool greeted = false;
    int statusReports = 0;
    int forcedUpdates = 0;
    int dateRequests = 0;
    int snapshots = 0;
    int closes = 0;
};

} // namespace orvan::test
