#include "localization/StringTable.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvan {
namespace {

TEST(StringTable, NamesTheProgramItsSettingsKeyAndItsLanguage) {
    EXPECT_EQ(StringTable::text(10000), "OrvanClient");
    // Key of the registry settings and of the password scrambler: must never change.
    EXPECT_EQ(StringTable::text(10006), "OrvanetixClient");
    EXPECT_EQ(StringTable::text(0), "English");
    EXPECT_EQ(StringTable::text(1), "English");
    EXPECT_EQ(StringTable::text(10014), "English");
}

TEST(StringTable, KeepsTextsByteForByte) {
    EXPECT_EQ(StringTable::text(10004), "Impossible to create log file. please control the access "
                                        "rights to the following file:");
    EXPECT_EQ(StringTable::text(10101), "คุณปัอนรหัสผ่านผิด.");
    // The same check without relying on how the compiler reads this file: UTF-8 bytes.
    EXPECT_EQ(StringTable::text(10106),
              "\xe0\xb9\x80\xe0\xb8\x95\xe0\xb8\xb7\xe0\xb8\xad\xe0\xb8\x99"); // "warning"
    // Texts that are glued to other parts keep their blanks, doubled ones included.
    EXPECT_EQ(StringTable::text(10211), " and include the file: ");
    EXPECT_EQ(StringTable::text(10202), " is already running!");
    EXPECT_EQ(StringTable::text(10181), "?");
    EXPECT_EQ(StringTable::text(10037), " ");
    const std::string notice = std::string(StringTable::text(10305)) + "3" +
                               std::string(StringTable::text(10306)) + "pc07";
    EXPECT_EQ(notice, "There has been  3 connexion failures on workstation pc07");
}

TEST(StringTable, LeavesTokensForTheLookupToFill) {
    EXPECT_EQ(StringTable::text(10317),
              "The workstation name cannot contain the </resInsert1> character.");
    EXPECT_EQ(StringTable::text(10361),
              "(Current version: </resInsert1> - Required version: </resInsert2>)");
    EXPECT_NE(StringTable::text(10345).find("has changed.</resNewLine>Orvanetix"),
              std::string_view::npos);
}

TEST(StringTable, AnswersEveryIdOfItsRangeAndNothingElse) {
    for (int id : {0, 1}) {
        EXPECT_TRUE(StringTable::contains(id)) << id;
        EXPECT_FALSE(StringTable::text(id).empty()) << id;
    }
    for (int id = 10000; id <= 10370; ++id) {
        EXPECT_TRUE(StringTable::contains(id)) << id;
        EXPECT_FALSE(StringTable::text(id).empty()) << id;
    }
    // An entry is taken from its place in the table: each id must land on its own text.
    for (const int id : StringTable::ids()) {
        EXPECT_EQ(StringTable::find(id), StringTable::text(id)) << id;
    }
    EXPECT_EQ(StringTable::find(10014), "English");
    for (int id : {-1, 2, 9999, 10371, 20000, INT_MIN, INT_MAX}) {
        EXPECT_FALSE(StringTable::contains(id)) << id;
        EXPECT_TRUE(StringTable::text(id).empty()) << id;
        EXPECT_FALSE(StringTable::find(id)) << id;
    }
    std::vector<int> expected{0, 1};
    for (int id = 10000; id <= 10370; ++id) {
        expected.push_back(id);
    }
    EXPECT_EQ(StringTable::ids(), expected);
}

} // namespace
} // namespace orvan
