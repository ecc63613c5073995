#include "config/SettingsRepository.h"
#include "localization/Localization.h"
#include "localization/StringTable.h"
#include "support/ClientFixture.h"

namespace orvan::test {
namespace {

class SettingsTest : public ClientFixture {};

TEST_F(SettingsTest, thaiComputerKeepsTheBuiltInThaiTexts) {
    fake.system.localeId = 1054;
    start();
    EXPECT_EQ(context().localization.defaultLanguage(), "orvanclient_en");
    EXPECT_EQ(context().localization.funLoadResString(10162), StringTable::text(10162));
}

TEST_F(SettingsTest, emptyStoreWithEnglishLocaleGivesTheDefaults) {
    start();
    const auto& s = context().settings;
    // The complete English pack, not the built-in table with its Thai texts.
    EXPECT_EQ(context().localization.defaultLanguage(), "orvanclient_gb");
    EXPECT_EQ(context().localization.currentLanguage(), "orvanclient_gb");
    EXPECT_EQ(s.strMsgIntro, "/appdata/OrvanetixClient/gb_intro.rtf");
    EXPECT_EQ(s.strMsgSessionPaused, "/appdata/OrvanetixClient/gb_sessionpaused.rtf");
    EXPECT_EQ(s.strLogoPath, "/appdata/OrvanetixClient/logo.png");
    EXPECT_TRUE(s.blnStandaloneWorkstation);
    EXPECT_EQ(s.strWksnName, "pc-07");
    EXPECT_EQ(s.intDefaultState, 2);
    EXPECT_EQ(s.intDefaultMode, 1);
    EXPECT_EQ(s.intDefaultUsage, 2);
    EXPECT_EQ(s.strServerName, "");
    EXPECT_EQ(s.strServerPort, "4646");
    EXPECT_EQ(s.strTimeOut, "10");
    EXPECT_TRUE(s.blnAutoServerCnx);
    EXPECT_TRUE(s.blnStartActive);
    EXPECT_TRUE(s.blnAllowLockdown);
    EXPECT_TRUE(s.blnStartWithWindows) << "the wizard has not run yet";
    EXPECT_EQ(s.strWksnAddress, "00155D012A3B") << "the first Ethernet adapter's hardware address";
    EXPECT_EQ(s.strLogFile, "/appdata/OrvanetixClient/orvanclient.log");
    EXPECT_EQ(s.lngMainWindowTop, (768 * 15 - 1935) / 2);
    EXPECT_EQ(s.lngMainWindowLeft, (1024 * 15 - 4740) / 2);
}

TEST_F(SettingsTest, localeChoosesTheLanguageAndMessageFilePrefix) {
    fake.system.localeId = 1032; // Greek
    start();
    EXPECT_EQ(context().localization.defaultLanguage(), "orvanclient_el");
    EXPECT_EQ(context().localization.defaultCharset(), 160);
    EXPECT_EQ(context().settings.strMsgBlocked, "/appdata/OrvanetixClient/el_blocked.rtf");
}

TEST_F(SettingsTest, languageWithoutKnownPrefixHasPlainMessageFiles) {
    fake.store.putString(kGeneral, "Interface Language", "orvanclient_th");
    start();
    EXPECT_EQ(context().settings.strMsgIntro, "/appdata/OrvanetixClient/intro.rtf");
}

TEST_F(SettingsTest, hashIsDroppedFromTheWorkstationName) {
    fake.store.putString(kGeneral, "Workstation Name", "PC#1");
    start();
    EXPECT_EQ(context().settings.strWksnName, "PC1");
}

TEST_F(SettingsTest, perUserWorkstationsKeepNameAndLogApart) {
    fake.store.putDword(kGeneral, "Standalone Workstation", 0);
    fake.store.write(Hive::User, kGeneral, "Workstation Name", std::string{"Seat-A"});
    start();
    const auto& s = context().settings;
    EXPECT_FALSE(s.blnStandaloneWorkstation);
    EXPECT_EQ(s.strWksnName, "Seat-A");
    EXPECT_EQ(s.strWksnAddress, "somchai");
    EXPECT_EQ(s.strComputerId, "somchai");
    EXPECT_EQ(s.strLogFile, "/appdata/OrvanetixClient/somchai-orvanclient.log");
}

TEST_F(SettingsTest, secondUserOfTheSameComputerIsAnotherWorkstation) {
    fake.store.putDword(kGeneral, "Standalone Workstation", 0);
    fake.system.user = "Malee";
    start();
    EXPECT_EQ(context().settings.strWksnName, "malee");
    EXPECT_EQ(context().settings.strLogFile, "/appdata/OrvanetixClient/malee-orvanclient.log");
}

TEST_F(SettingsTest, addressFallsBackToTheComputerNameWithoutAnEthernetAddress) {
    fake.system.adapterList = {{"lo", NetworkAdapter::kLoopback, "", {"127.0.0.1"}},
                               {"eth0", NetworkAdapter::kEthernet, "00155D012A3B", {"0.0.0.0"}},
                               {"wlan0", NetworkAdapter::kWireless, "A0B1C2D3E4F5", {"10.0.0.9"}}};
    start();
    EXPECT_EQ(context().settings.strWksnAddress, "pc-07");
}

TEST_F(SettingsTest, garbledValuesFallBackToTheirDefaultsAndAreLogged) {
    configured();
    fake.store.putString(kGeneral, "Default State", "three");
    fake.store.putString(kGeneral, "Default Mode", "0");
    fake.store.addProblem("/var/lib/hive.reg:7: value line without '='");
    start();
    EXPECT_EQ(context().settings.intDefaultState, 2);
    EXPECT_EQ(context().settings.intDefaultMode, 0) << "good values are kept";
    EXPECT_TRUE(
        logContains("modFunctions.subGetSystemSettingsError: #13 | Type mismatch: \"three\""));
    EXPECT_TRUE(logContains("/var/lib/hive.reg:7: value line without '='"));
}

TEST_F(SettingsTest, storedPasswordIsReadBackUnscrambled) {
    Latin1Codec codec;
    Scrambler scrambler{codec};
    configured();
    fake.store.putString(kGeneral, "Password", scrambler.funDoXOR("wardn-pass", "OrvanetixClient"));
    start();
    EXPECT_EQ(context().settings.strPassword, "wardn-pass");
}

TEST_F(SettingsTest, savingWritesTheStoreAndTheLogonEntry) {
    configured();
    start();
    auto settings = context().settings;
    settings.strServerName = "cafe-server";
    settings.blnStartWithWindows = true;
    settings.blnStartActive = false;
    context().settingsRepository.subSetSystemSettings(settings, 45);

    EXPECT_EQ(std::get<std::string>(fake.store.read(Hive::Machine, kServer, "Name").value),
              "cafe-server");
    EXPECT_EQ(std::get<std::uint32_t>(fake.store.read(Hive::User, kGeneral, "Start active").value),
              0U);
    EXPECT_EQ(std::get<std::string>(fake.store.read(Hive::Machine, kGeneral, "Start Delay").value),
              "45");
    EXPECT_EQ(fake.shell.autostart, "\"/program/orvanclient\"");

    settings.blnStartWithWindows = false;
    context().settingsRepository.subSetSystemSettings(settings, 45);
    EXPECT_EQ(fake.shell.autostart, "");
}

TEST_F(SettingsTest, defaultStateOutsideTheIdleStatesLocksWithTheLoginScreen) {
    configured();
    fake.store.putString(kGeneral, "Default State", "1");
    start();
    EXPECT_EQ(context().settings.intDefaultState, 2);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
    EXPECT_TRUE(context().forms.frmBlock.visible);
    EXPECT_TRUE(logContains("\"Default State\" is not an idle state: \"1\""));
    EXPECT_EQ(
        std::get<std::string>(fake.store.read(Hive::Machine, kGeneral, "Default State").value), "1")
        << "the stored value is left for the administrator to see";
}

TEST_F(SettingsTest, failedWriteIsLoggedWithSectionNameAndValueAndPassedOn) {
    configured();
    start();
    fake.store.setReadOnly(Hive::Machine, true);
    auto settings = context().settings;
    settings.strServerName = "cafe-server";

    EXPECT_THROW(context().settingsRepository.subSetSystemSettings(settings, 30), AppError);

    const auto lines = logMessages();
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[lines.size() - 2].rfind("modINIFileFunctions.SetRegSettingsError: Headding: "
                                            "General - Key: Standalone Workstation - Value: 1: #75",
                                            0),
              0U);
    EXPECT_EQ(lines.back().rfind("modFunctions.subSetSystemSettingsError: #4646", 0), 0U);
}

} // namespace
} // namespace orvan::test
