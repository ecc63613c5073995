#include "localization/Localization.h"

#include "support/ClientFixture.h"

namespace orvan::test {
namespace {

class LocalizationTest : public ClientFixture {
protected:
    Localization& localization() { return context().localization; }
    void pack(const std::string& file, const std::string& text) {
        fake.files.write("/program/" + file, text);
    }
};

TEST_F(LocalizationTest, builtInTextsWithTokensAndInserts) {
    EXPECT_EQ(localization().funLoadResString(10000), "OrvanClient");
    EXPECT_EQ(localization().funLoadResString(10317, "#"),
              "The workstation name cannot contain the # character.");
    EXPECT_EQ(localization().funLoadResString(10345),
              "Orvanetix Workstation usage mode has changed.\r\nOrvanetix Workstation will now be "
              "shutdown. please restart the application and check the settings.");
}

TEST_F(LocalizationTest, tokensAreReplacedBeforeTheInsertsInOrder) {
    pack("orvanclient_xx.lang", "[Language]\nName=X\n[Strings]\n"
                                "10001=</resInsert1>|</resInsert2>\n");
    localization().changeCurrentLanguage("orvanclient_xx", 0);
    EXPECT_EQ(localization().funLoadResString(10001, "a</resNewLine>b", "c"), "a</resNewLine>b|c");
    EXPECT_EQ(localization().funLoadResString(10001, "</resInsert2>", "two"), "two|two");
}

TEST_F(LocalizationTest, packTextsWinAndMissingOnesFallBackToTheBuiltInTable) {
    pack("orvanclient_th.lang", "\xEF\xBB\xBF[Language]\r\nName=ไทย\r\n[Strings]\r\n"
                                "10106=คำเตือน\r\n10000=\r\n");
    localization().changeCurrentLanguage("orvanclient_th", 222);
    EXPECT_EQ(localization().funLoadResString(10106), "คำเตือน");
    EXPECT_EQ(localization().funLoadResString(10000), "OrvanClient");
    EXPECT_EQ(localization().funLoadResStringDefault(10106), "เตือน") << "default stays built-in";
    localization().subResetGUILanguage();
    EXPECT_EQ(localization().currentLanguage(), localization().defaultLanguage());
}

TEST_F(LocalizationTest, missingPackOrIdIsNoCrash) {
    localization().changeCurrentLanguage("orvanclient_zz", 0);
    EXPECT_EQ(localization().funLoadResString(10000), "OrvanClient");
    EXPECT_EQ(localization().funLoadResString(99999), "");
    EXPECT_TRUE(logContains("modFunctions.funLoadResStringError: #5"));
}

TEST_F(LocalizationTest, languageTableHasTheBuiltInRowAndEveryUsablePack) {
    EXPECT_EQ(localization().funFindLangPacks(),
              (std::vector<Localization::LanguageRow>{{"orvanclient_en", "ไทย",
                                                       localization().funLoadResString(10045), "0",
                                                       "Thai (built-in)", "True"}}));

    pack("orvanclient_th.lang",
         "[Language]\nName=ไทย\nNameWestern=Thai\nTranslator=Nok\nCharset=222\n");
    pack("orvanclient_el.LANG", "[Language]\nName=?????????\nNameWestern=Greek\n");
    pack("orvanclient.lang", "[Language]\nName=Plain\n");
    pack("orvanclient_xx.lang", "[Strings]\n10000=no name\n");
    pack("other_fr.lang", "[Language]\nName=Français\n");
    pack("orvanclient_de.txt", "[Language]\nName=Deutsch\n");

    const auto table = localization().funFindLangPacks();
    ASSERT_EQ(table.size(), 4U);
    EXPECT_EQ(table[1], (Localization::LanguageRow{"orvanclient", "Plain", "", "0", "", "True"}));
    EXPECT_EQ(table[2], (Localization::LanguageRow{"orvanclient_el", "?????????", "", "0", "Greek",
                                                   "False"}));
    EXPECT_EQ(table[3],
              (Localization::LanguageRow{"orvanclient_th", "ไทย", "Nok", "222", "Thai", "True"}));
}

TEST_F(LocalizationTest, eachPackIsReadOnceHoweverOftenTheTableIsMadeAndTextsLookedUp) {
    pack("orvanclient_th.lang", "[Language]\nName=ไทย\n[Strings]\n10106=คำเตือน\n");
    pack("orvanclient_el.LANG", "[Language]\nName=Ελληνικά\n[Strings]\n10106=Προσοχή\n");
    localization().changeCurrentLanguage("orvanclient_th", 222);
    EXPECT_EQ(localization().funLoadResString(10106), "คำเตือน");
    for (int load = 0; load < 3; ++load) {
        EXPECT_EQ(localization().funFindLangPacks().size(), 3U);
    }
    // Found under its own spelling of the extension, then used from the table's reading.
    localization().changeCurrentLanguage("orvanclient_el", 161);
    EXPECT_EQ(localization().funLoadResString(10106), "Προσοχή");
    EXPECT_EQ(fake.files.readsOf("/program/orvanclient_th.lang"), 1);
    EXPECT_EQ(fake.files.readsOf("/program/orvanclient_el.LANG"), 1);
}

TEST_F(LocalizationTest, changingLanguageRelocalizesTheWindows) {
    int localized = 0;
    localization().setLocalizeAll([&] { ++localized; });
    localization().changeCurrentLanguage("orvanclient_fr", 0);
    localization().subResetGUILanguage();
    EXPECT_EQ(localized, 2);
}

TEST(LocalizationDefaults, suffixAndPrefixFollowTheLocale) {
    EXPECT_EQ(Localization::suffixForLocale(1033), "_gb") << "the complete English pack";
    EXPECT_EQ(Localization::suffixForLocale(2057), "_gb");
    EXPECT_EQ(Localization::suffixForLocale(1034), "_en");
    EXPECT_EQ(Localization::suffixForLocale(3082), "_es");
    EXPECT_EQ(Localization::suffixForLocale(20490), "_es");
    EXPECT_EQ(Localization::suffixForLocale(2055), "_de");
    EXPECT_EQ(Localization::suffixForLocale(1046), "_br");
    EXPECT_EQ(Localization::suffixForLocale(1054), "_en");
    EXPECT_EQ(Localization::charsetForLocale(1032), 160);
    EXPECT_EQ(Localization::messageFilePrefix("client_nl", "client"), "nl_");
    EXPECT_EQ(Localization::messageFilePrefix("client_th", "client"), "");
    EXPECT_EQ(Localization::messageFilePrefix("other_fr", "client"), "");
}

} // namespace
} // namespace orvan::test
