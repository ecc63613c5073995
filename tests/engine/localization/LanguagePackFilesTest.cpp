#include "localization/StringTable.h"
#include "localization/clsResources.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

// The language packs shipped in data/lang, read from the source tree as the program would
// read them from its folder.
namespace orvan {
namespace {

struct PackFile {
    const char* file;
    const char* name;
    const char* nameWestern;
    long charset;
};

void PrintTo(const PackFile& pack, std::ostream* out) {
    *out << pack.file;
}

// Ids 0 and 1 name the built-in language; a pack names its own in [Language].
bool namesTheBuiltInLanguage(int id) {
    return id == 0 || id == 1;
}

std::string readPackFile(const std::string& file) {
    std::ifstream in(std::string{ORVAN_SOURCE_DIR} + "/data/lang/" + file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every "</...>" token of a text.
std::set<std::string> tokens(std::string_view text) {
    std::set<std::string> found;
    for (auto start = text.find("</"); start != std::string_view::npos;
         start = text.find("</", start + 2)) {
        const auto end = text.find('>', start);
        found.emplace(text.substr(start, end == std::string_view::npos ? end : end - start + 1));
    }
    return found;
}

std::set<std::string> inserts(std::string_view text) {
    auto found = tokens(text);
    std::erase_if(found,
                  [](const std::string& token) { return !token.starts_with("</resInsert"); });
    return found;
}

std::size_t leadingBlanks(std::string_view text) {
    return std::min(text.find_first_not_of(" \t"), text.size());
}

std::size_t trailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? text.size() : text.size() - last - 1;
}

bool hasThaiLetters(std::string_view text) {
    // U+0E00..U+0E7F is E0 B8 xx or E0 B9 xx in UTF-8.
    return text.find("\xE0\xB8") != std::string_view::npos ||
           text.find("\xE0\xB9") != std::string_view::npos;
}

class LanguagePackFile : public ::testing::TestWithParam<PackFile> {
protected:
    void SetUp() override {
        fileText_ = readPackFile(GetParam().file);
        ASSERT_FALSE(fileText_.empty()) << "cannot read data/lang/" << GetParam().file;
        pack_ = clsResources::parse(fileText_);
    }

    std::string fileText_;
    clsResources pack_;
};

TEST_P(LanguagePackFile, NamesItsLanguage) {
    EXPECT_EQ(pack_.GetLangName(), GetParam().name);
    EXPECT_EQ(pack_.GetLangNameWestern(), GetParam().nameWestern);
    EXPECT_EQ(pack_.GetCharset(), GetParam().charset);
    EXPECT_FALSE(pack_.GetTradName().empty());
}

TEST_P(LanguagePackFile, AnswersEveryBuiltInIdButTheLanguageNames) {
    for (const int id : StringTable::ids()) {
        if (namesTheBuiltInLanguage(id)) {
            EXPECT_EQ(pack_.GetResStr(id), "") << id;
        } else {
            EXPECT_NE(pack_.GetResStr(id), "") << id;
        }
    }
}

// The reader skips what it does not understand and keeps the last of two lines with the
// same id, so a damaged or doubled line would lose a text without a word.
TEST_P(LanguagePackFile, EveryStringLineGivesAKnownIdOnce) {
    std::map<long, int> lines;
    bool inStrings = false;
    std::string_view rest = fileText_;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        auto line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            inStrings = line == "[Strings]";
            continue;
        }
        if (!inStrings) {
            continue;
        }
        const auto equals = line.find('=');
        const auto key = line.substr(0, equals);
        ASSERT_TRUE(equals != std::string_view::npos && !key.empty() &&
                    key.find_first_not_of("0123456789") == std::string_view::npos)
            << "unreadable line: " << line;
        const int id = std::stoi(std::string{key});
        EXPECT_TRUE(StringTable::contains(id) && !namesTheBuiltInLanguage(id))
            << "the program never asks for " << id;
        ++lines[id];
    }
    for (const auto& [id, count] : lines) {
        EXPECT_EQ(count, 1) << id;
    }
    EXPECT_FALSE(lines.empty());
}

TEST_P(LanguagePackFile, KeepsTheTokensTheProgramFillsIn) {
    const std::set<std::string> known{"</resNewLine>", "</resTab>",     "</resInsert1>",
                                      "</resInsert2>", "</resInsert3>", "</resInsert4>",
                                      "</currSymbol>"};
    for (const int id : StringTable::ids()) {
        const auto builtIn = StringTable::text(id);
        const auto text = pack_.GetResStr(id);
        EXPECT_EQ(inserts(text), inserts(builtIn)) << id << ": " << text;
        for (const auto& token : tokens(text)) {
            EXPECT_TRUE(known.contains(token)) << id << ": " << token;
        }
    }
}

TEST_P(LanguagePackFile, KeepsTheBlanksAtBothEnds) {
    for (const int id : StringTable::ids()) {
        if (namesTheBuiltInLanguage(id)) {
            continue;
        }
        const auto builtIn = StringTable::text(id);
        const auto text = pack_.GetResStr(id);
        EXPECT_EQ(leadingBlanks(text), leadingBlanks(builtIn)) << id << ": '" << text << "'";
        EXPECT_EQ(trailingBlanks(text), trailingBlanks(builtIn)) << id << ": '" << text << "'";
    }
}

TEST_P(LanguagePackFile, KeepsTheProgramNameAndTheSettingsKey) {
    EXPECT_EQ(pack_.GetResStr(10000), StringTable::text(10000));
    EXPECT_EQ(pack_.GetResStr(10006), StringTable::text(10006));
}

INSTANTIATE_TEST_SUITE_P(LanguagePackFiles, LanguagePackFile,
                         ::testing::Values(PackFile{"orvanclient_gb.lang", "English",
                                                    "English (UK)", 0},
                                           PackFile{"orvanclient_th.lang", "ไทย", "Thai", 222}),
                         [](const auto& instance) {
                             // "orvanclient_gb.lang" gives "gb".
                             const std::string file{instance.param.file};
                             return file.substr(file.find('_') + 1, 2);
                         });

TEST(LanguagePackFiles, EnglishPackLeavesNoThaiUntranslated) {
    const auto pack = clsResources::parse(readPackFile("orvanclient_gb.lang"));
    for (const int id : StringTable::ids()) {
        EXPECT_FALSE(hasThaiLetters(pack.GetResStr(id))) << id << ": " << pack.GetResStr(id);
    }
}

TEST(LanguagePackFiles, ThaiPackWritesEveryTextInThaiButNamesAndSigns) {
    // Names that stay in Latin letters (the program, the settings key, the products, the
    // built-in language as it calls itself) and texts made of signs only.
    const std::set<int> unchanged{10000, 10006, 10007, 10008, 10014,
                                  10034, 10037, 10145, 10181, 10201};
    const auto pack = clsResources::parse(readPackFile("orvanclient_th.lang"));
    for (const int id : StringTable::ids()) {
        if (namesTheBuiltInLanguage(id) || unchanged.contains(id)) {
            continue;
        }
        EXPECT_TRUE(hasThaiLetters(pack.GetResStr(id))) << id << ": " << pack.GetResStr(id);
    }
    for (const int id : unchanged) {
        EXPECT_EQ(pack.GetResStr(id), StringTable::text(id)) << id;
    }
}

} // namespace
} // namespace orvan
