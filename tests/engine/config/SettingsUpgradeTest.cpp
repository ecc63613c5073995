#include "support/ClientFixture.h"
#include "wire/Scrambler.h"

namespace orvan::test {
namespace {

class SettingsUpgradeTest : public ClientFixture {
protected:
    std::string machineText(const char* key, const char* name) {
        const auto read = fake.store.read(Hive::Machine, key, name);
        return read.found() ? std::get<std::string>(read.value) : "<missing>";
    }
};

TEST_F(SettingsUpgradeTest, freshInstallationStartsAtTheCurrentVersionWithoutSteps) {
    start();
    EXPECT_EQ(machineText(kGeneral, "Current Settings Version"), "4");
    EXPECT_EQ(machineText(kConstants, "wksnHeartBeatCheck"), "<missing>");
}

TEST_F(SettingsUpgradeTest, versionTwoRaisesAShortHeartBeatCheckToThirty) {
    fake.store.putString(kGeneral, "Current Settings Version", "2");
    fake.store.putString(kConstants, "wksnHeartBeatCheck", "20");
    start();
    EXPECT_EQ(machineText(kGeneral, "Current Settings Version"), "4");
    EXPECT_EQ(machineText(kConstants, "wksnHeartBeatCheck"), "30");
    EXPECT_EQ(context().constants.wksnHeartBeatCheck, 30);
}

TEST_F(SettingsUpgradeTest, versionTwoKeepsALongerHeartBeatCheck) {
    fake.store.putString(kGeneral, "Current Settings Version", "2");
    fake.store.putString(kConstants, "wksnHeartBeatCheck", "45");
    start();
    EXPECT_EQ(machineText(kConstants, "wksnHeartBeatCheck"), "45");
}

TEST_F(SettingsUpgradeTest, versionZeroRescramblesThePasswordWithTheCurrentScrambler) {
    Latin1Codec codec;
    Scrambler scrambler{codec};
    fake.store.putString(kGeneral, "Current Settings Version", "0");
    fake.store.putString(kGeneral, "Password", scrambler.funDoOldXOR("s3cret", "OrvanetixClient"));
    start();
    EXPECT_EQ(machineText(kGeneral, "Password"), scrambler.funDoXOR("s3cret", "OrvanetixClient"));
    EXPECT_EQ(context().settings.strPassword, "s3cret");
    EXPECT_EQ(machineText(kConstants, "wksnHeartBeatCheck"), "30") << "later steps ran too";
}

TEST_F(SettingsUpgradeTest, versionThreeMovesTheOldLogoNameOnly) {
    fake.store.putString(kGeneral, "Current Settings Version", "3");
    fake.store.putString(kGeneral, "Logo path", "/appdata/OrvanetixClient/logo.gif");
    start();
    EXPECT_EQ(context().settings.strLogoPath, "/appdata/OrvanetixClient/logo.png");
}

TEST_F(SettingsUpgradeTest, ownLogoIsNotRenamed) {
    fake.store.putString(kGeneral, "Current Settings Version", "3");
    fake.store.putString(kGeneral, "Logo path", "/home/cafe/brand.gif");
    start();
    EXPECT_EQ(context().settings.strLogoPath, "/home/cafe/brand.gif");
}

TEST_F(SettingsUpgradeTest, failingStepIsLoggedOnceAndNotRetried) {
    fake.store.putString(kGeneral, "Current Settings Version", "1");
    fake.store.setReadOnly(Hive::Machine, true);
    start();

    int stepFailures = 0;
    for (const auto& line : logMessages("/program/orvanclient.log")) {
        stepFailures += line.rfind("modFunctions.funSettingsUpgradeStepsError(", 0) == 0;
    }
    EXPECT_EQ(stepFailures, 2) << "steps 1 and 2 each fail once, step 3 has nothing to write";
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated)
        << "the version could not be written: start-up reports and deactivates";
}

TEST_F(SettingsUpgradeTest, unreadableVersionIsTakenAsCurrent) {
    fake.store.putString(kGeneral, "Current Settings Version", "four");
    Latin1Codec codec;
    Scrambler scrambler{codec};
    const auto stored = scrambler.funDoXOR("pw", "OrvanetixClient");
    fake.store.putString(kGeneral, "Password", stored);
    start();
    EXPECT_EQ(machineText(kGeneral, "Password"), stored) << "not scrambled a second time";
    EXPECT_EQ(machineText(kGeneral, "Current Settings Version"), "4");
}

} // namespace
} // namespace orvan::test
