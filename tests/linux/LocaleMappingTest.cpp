#include "LocaleMapping.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace orvan {
namespace {

TEST(LocaleMapping, KnownLocalesGetTheirWindowsIdentifier) {
    const std::vector<std::pair<const char*, int>> expected{
        {"en_US", 1033}, {"en_GB", 2057},  {"en_AU", 3081},  {"en_CA", 4105}, {"th_TH", 1054},
        {"fr_FR", 1036}, {"fr_BE", 2060},  {"fr_CA", 3084},  {"fr_CH", 4108}, {"fr_LU", 5132},
        {"de_DE", 1031}, {"de_CH", 2055},  {"de_AT", 3079},  {"de_LU", 4103}, {"de_LI", 5127},
        {"el_GR", 1032}, {"hu_HU", 1038},  {"it_IT", 1040},  {"nl_NL", 1043}, {"nl_BE", 2067},
        {"pt_BR", 1046}, {"pt_PT", 2070},  {"es_ES", 3082},  {"es_MX", 2058}, {"es_AR", 11274},
        {"es_CO", 9226}, {"es_CL", 13322}, {"es_PE", 10250}, {"es_VE", 8202}, {"pl_PL", 1045},
        {"ru_RU", 1049}, {"tr_TR", 1055},  {"vi_VN", 1066},  {"ja_JP", 1041}, {"zh_CN", 2052},
        {"zh_TW", 1028}, {"ko_KR", 1042},  {"cs_CZ", 1029},
    };
    for (const auto& [locale, id] : expected) {
        EXPECT_EQ(LocaleMapping::localeId(locale), id) << locale;
    }
}

TEST(LocaleMapping, ReadsTheFormsLocaleNamesComeIn) {
    EXPECT_EQ(LocaleMapping::localeId("th_TH.UTF-8"), 1054);
    EXPECT_EQ(LocaleMapping::localeId("de_AT.ISO-8859-15@euro"), 3079);
    EXPECT_EQ(LocaleMapping::localeId("sr_RS@latin"), 9242);
    EXPECT_EQ(LocaleMapping::localeId("sr_RS.UTF-8"), 10266);
    EXPECT_EQ(LocaleMapping::localeId("zh-TW"), 1028);
    // Unknown territory: the language still counts.
    EXPECT_EQ(LocaleMapping::localeId("fr_SN.UTF-8"), 1036);
    EXPECT_EQ(LocaleMapping::localeId("es_XX"), 3082);
    EXPECT_EQ(LocaleMapping::localeId("de"), 1031);
    for (const char* plain : {"", "C", "POSIX", "C.UTF-8", "xx_YY", "tlh"}) {
        EXPECT_EQ(LocaleMapping::localeId(plain), 1033) << plain;
    }
}

TEST(LocaleMapping, CodePageFollowsLanguageAndScript) {
    const std::vector<std::pair<const char*, int>> expected{
        {"th_TH.UTF-8", 874},  {"pl_PL", 1250}, {"cs_CZ", 1250}, {"sk_SK", 1250},
        {"hu_HU", 1250},       {"sl_SI", 1250}, {"hr_HR", 1250}, {"ro_RO", 1250},
        {"ru_RU", 1251},       {"uk_UA", 1251}, {"bg_BG", 1251}, {"sr_RS", 1251},
        {"sr_RS@latin", 1250}, {"en_US", 1252}, {"fr_FR", 1252}, {"el_GR", 1253},
        {"tr_TR", 1254},       {"he_IL", 1255}, {"ar_EG", 1256}, {"lt_LT", 1257},
        {"lv_LV", 1257},       {"et_EE", 1257}, {"vi_VN", 1258}, {"ja_JP", 932},
        {"zh_CN", 936},        {"zh_SG", 936},  {"ko_KR", 949},  {"zh_TW", 950},
        {"zh_HK.UTF-8", 950},  {"C", 1252},     {"", 1252},      {"xx_YY", 1252},
    };
    for (const auto& [locale, codePage] : expected) {
        EXPECT_EQ(LocaleMapping::ansiCodePage(locale), codePage) << locale;
    }
}

TEST(LocaleMapping, StrftimeFormatsBecomePictures) {
    const std::vector<std::pair<const char*, const char*>> expected{
        {"%m/%d/%Y", "MM/dd/yyyy"},
        {"%d.%m.%Y", "dd.MM.yyyy"},
        {"%e/%m/%y", "d/MM/yy"},
        {"%D", "MM/dd/yy"},
        {"%H:%M:%S", "HH:mm:ss"},
        {"%T", "HH:mm:ss"},
        {"%I:%M:%S %p", "hh:mm:ss tt"},
        {"%r", "hh:mm:ss tt"},
        {"%R", "HH:mm"},
        // Literals, non-ASCII ones included, stay where they are.
        {"%Y\u5e74%m\u6708%d\u65e5", "yyyy\u5e74MM\u6708dd\u65e5"},
        // The Thai date: a Buddhist-era year, written in full.
        {"%d/%m/%Ey", "dd/MM/yyyy"},
        // "-" and "_" drop the leading zero; widths and alternative digits change nothing.
        {"%-d/%-m/%0Y %_H:%2M:%OS", "d/M/yyyy H:mm:ss"},
        // Unknown conversions vanish; a lone "%" at the end too.
        {"%a %d %Z%", " dd "},
        {"100%%", "100%"},
    };
    for (const auto& [format, picture] : expected) {
        EXPECT_EQ(LocaleMapping::pictureFromStrftime(format), picture) << format;
    }
}

} // namespace
} // namespace orvan
