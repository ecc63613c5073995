#pragma once

#include "client/Client.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace orvan::test {

// A client on fake ports, started the test's way: settings are put into the store
// first, then `start()` runs the start-up sequence well after boot.
class ClientFixture : public ::testing::Test {
protected:
    static constexpr const char* kGeneral = "Software\\OrvanetixClient\\General";
    static constexpr const char* kServer = "Software\\OrvanetixClient\\Server";
    static constexpr const char* kConstants = "Software\\OrvanetixClient\\Constants";
    static constexpr const char* kDataPath = "/appdata/OrvanetixClient";

    ClientFixture();

    // The settings of a workstation that has been through the setup wizard.
    void configured();
    Client& client();
    // Builds the client and runs Main with `commandLine`, five minutes after boot.
    Client& start(const std::string& commandLine = {});
    EngineContext& context() { return client().context(); }
    // Log lines (the message part) of the data folder's log, or of `path`.
    std::vector<std::string> logMessages(const std::string& path = {}) const;
    // Whether a line of either log (beside the program, or in the data folder) has `text`.
    bool logContains(const std::string& text) const;

    FakePlatform fake;
    std::unique_ptr<Client> client_;
};

} // namespace orvan::test
