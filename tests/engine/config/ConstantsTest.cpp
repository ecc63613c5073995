#include "config/ConstantsRepository.h"
#include "support/ClientFixture.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

namespace orvan::test {
namespace {

class ConstantsTest : public ClientFixture {
protected:
    std::vector<std::string> serverFields() {
        return {"192.168.1.255",
                "60000",
                "5647",
                "5648",
                "boss",
                "฿",
                "80",
                "0.00138888888888889",
                "0",
                "120000",
                "3000",
                "1",
                "45",
                "1",
                "5",
                "0",
                "1",
                "10",
                "0.00694444444444444",
                "7",
                "15"};
    }
    std::string stored(const char* name) {
        const auto read = fake.store.read(Hive::Machine, kConstants, name);
        if (!read.found()) {
            return "<missing>";
        }
        if (const auto* number = std::get_if<std::uint32_t>(&read.value)) {
            return "dword:" + std::to_string(*number);
        }
        return std::get<std::string>(read.value);
    }
};

TEST_F(ConstantsTest, freshStoreYieldsExactlyTheDefaults) {
    start();
    ConstWksn expected;
    expected.deriveFlags();
    EXPECT_EQ(context().constants, expected);
    EXPECT_DOUBLE_EQ(context().constants.wksnSessionExpiryTime, 5.0 / 1440.0);
    EXPECT_NEAR(context().constants.wksnSessionExpiryTime, 0.003472, 1e-6);
    EXPECT_EQ(context().constants.cnxBroardcastAdr, "255.255.255.255");
    EXPECT_EQ(context().constants.genCurrencySymb, "</currSymbol>");
}

TEST_F(ConstantsTest, storedValuesAreReadWithTimesInMinutes) {
    fake.store.putString(kConstants, "wksnSessionExpiryTime", "10");
    fake.store.putString(kConstants, "cnxUdpPortServer", "5000");
    fake.store.putDword(kConstants, "wksnHideAllStatusWin", 1);
    start();
    EXPECT_DOUBLE_EQ(context().constants.wksnSessionExpiryTime, 10.0 / 1440.0);
    EXPECT_EQ(context().constants.cnxUdpPortServer, 5000);
    EXPECT_TRUE(context().constants.blnHideAllStatusWin);
}

TEST_F(ConstantsTest, unreadableConstantKeepsItsDefaultAndTheOthersLoad) {
    fake.store.putString(kConstants, "cnxUdpPortServer", "70000"); // beyond 16 bits
    fake.store.putString(kConstants, "wksnStartDelay", "abc");
    fake.store.putString(kConstants, "wksnShutdownDelay", "9");
    start();
    EXPECT_EQ(context().constants.cnxUdpPortServer, 4647);
    EXPECT_EQ(context().constants.wksnStartDelay, 30);
    EXPECT_EQ(context().constants.wksnShutdownDelay, 9);
    EXPECT_TRUE(logContains("modGlobalFunctions.subGetConstWksnError: cnxUdpPortServer: #6"));
    EXPECT_TRUE(logContains("modGlobalFunctions.subGetConstWksnError: wksnStartDelay: #13"));
}

TEST_F(ConstantsTest, serverUpdateStoresWritesAndDerives) {
    start();
    auto& constants = context().constants;
    context().constantsRepository.applyServerFields(constants, serverFields());

    EXPECT_EQ(constants.cnxBroardcastAdr, "192.168.1.255");
    EXPECT_EQ(constants.genCurrencySymb, "฿");
    EXPECT_EQ(constants.wksnHeartBeatCheck, 45);
    EXPECT_TRUE(constants.blnHideAllStatusWin);
    EXPECT_TRUE(constants.blnDisableSessCloseButton);
    EXPECT_EQ(stored("wksnActivateDelayTime"), "2");
    EXPECT_EQ(stored("wksnSessionExpiryTime"), "10");
    EXPECT_EQ(stored("wksnCheckSamePcAsServer"), "dword:0");
    EXPECT_EQ(stored("wksnRebootOnSessionEnd"), "dword:1");
    EXPECT_EQ(stored("cnxMinSizeTmpFileStore"), "60000");
    EXPECT_EQ(stored("wksnStartDelay"), "15");
}

TEST_F(ConstantsTest, storedTwoMinutesSurviveARoundTripThroughTheServer) {
    fake.store.putString(kConstants, "wksnActivateDelayTime", "2");
    start();
    auto fields = serverFields();
    fields[7] = WireNumbers{}.funDblToStr(context().constants.wksnActivateDelayTime);
    context().constantsRepository.applyServerFields(context().constants, fields);
    EXPECT_EQ(stored("wksnActivateDelayTime"), "2");
}

TEST_F(ConstantsTest, shortMessageStoresTheFieldsPresentAndWritesNothing) {
    start();
    auto fields = serverFields();
    fields.pop_back();
    auto& constants = context().constants;
    try {
        context().constantsRepository.applyServerFields(constants, fields);
        FAIL() << "twenty fields must fail";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), AppError::kSubscriptOutOfRange);
    }
    EXPECT_EQ(constants.wksnShutdownDelay, 7) << "field 19 was stored";
    EXPECT_EQ(constants.wksnStartDelay, 30) << "field 20 was missing";
    EXPECT_EQ(stored("wksnShutdownDelay"), "<missing>");
}

TEST_F(ConstantsTest, storageThresholdIsBoundedWhenReadAndWhenTheServerSetsIt) {
    constexpr auto kMax = ConstWksn::kMaxMinSizeTmpFileStore;
    fake.store.putString(kConstants, "cnxMinSizeTmpFileStore", "2000000000");
    start();
    auto& constants = context().constants;
    EXPECT_EQ(constants.cnxMinSizeTmpFileStore, kMax);

    auto fields = serverFields();
    fields[1] = "2147483647";
    context().constantsRepository.applyServerFields(constants, fields);
    EXPECT_EQ(constants.cnxMinSizeTmpFileStore, kMax);
    EXPECT_EQ(stored("cnxMinSizeTmpFileStore"), std::to_string(kMax));

    constants.cnxMinSizeTmpFileStore = 50'000;
    fields.resize(5); // cut short: what was stored stays, bounded
    EXPECT_THROW(context().constantsRepository.applyServerFields(constants, fields), AppError);
    EXPECT_EQ(constants.cnxMinSizeTmpFileStore, kMax);
}

TEST_F(ConstantsTest, nonNumberFieldIsAConversionFailure) {
    start();
    auto fields = serverFields();
    fields[2] = "port";
    EXPECT_THROW(context().constantsRepository.applyServerFields(context().constants, fields),
                 AppError);
}

} // namespace
} // namespace orvan::test
