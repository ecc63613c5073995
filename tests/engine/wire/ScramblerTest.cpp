#include "wire/Scrambler.h"

#include "support/Latin1Codec.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

class ScramblerTest : public ::testing::Test {
protected:
    Latin1Codec codec;
    Scrambler scrambler{codec};
};

TEST_F(ScramblerTest, emptyKeyOrTextGivesEmptyText) {
    EXPECT_EQ(scrambler.funDoXOR("secret", ""), "");
    EXPECT_EQ(scrambler.funDoXOR("", "key"), "");
    EXPECT_EQ(scrambler.funDoOldXOR("secret", ""), "");
}

TEST_F(ScramblerTest, keyBytesAreHalfTheSumThenItsSecondByteWithAThreeByteCycle) {
    // "OrvanetixClient" sums to 1567: key bytes 783 & 255 = 15, 1567 / 256 = 6, then 0.
    const std::string text = "abcdef";
    const auto scrambled = scrambler.funDoXOR(text, "OrvanetixClient");
    const std::string expected = {'a' ^ 15, 'b' ^ 6, 'c', 'd' ^ 15, 'e' ^ 6, 'f'};
    EXPECT_EQ(scrambled, expected);
}

TEST_F(ScramblerTest, olderVariantUsesTheSumItself) {
    // Key "A" sums to 65: older key byte 65, current 32.
    EXPECT_EQ(scrambler.funDoOldXOR("a", "A"), std::string(1, 'a' ^ 65));
    EXPECT_EQ(scrambler.funDoXOR("a", "A"), std::string(1, 'a' ^ 32));
}

TEST_F(ScramblerTest, scramblingTwiceRestoresTheTextAndEveryThirdCharacterStays) {
    for (const std::string text :
         {"p@ssw0rd", "manager 2026!", "\xC3\xA9t\xC3\xA9 \xC3\xA0 Paris"}) {
        const auto scrambled = scrambler.funDoXOR(text, "OrvanetixClient");
        EXPECT_NE(scrambled, text);
        EXPECT_EQ(scrambler.funDoXOR(scrambled, "OrvanetixClient"), text);
        EXPECT_EQ(scrambler.funDoOldXOR(scrambler.funDoOldXOR(text, "key"), "key"), text);
        const auto ansi = codec.toAnsi(text);
        const auto ansiScrambled = codec.toAnsi(scrambled);
        for (std::size_t i = 2; i < ansi.size(); i += 3) {
            EXPECT_EQ(ansiScrambled[i], ansi[i]) << "position " << i + 1;
        }
    }
}

TEST_F(ScramblerTest, longKeysUseTheThirdKeyByteToo) {
    const std::string key(300, '\x7F'); // 300 × 127 = 38100: key bytes 82, 148, 0
    const std::string key2(600, 'z');   // 600 × 122 = 73200: bytes 248, 29, 1
    const auto scrambled = scrambler.funDoXOR("abc", key2);
    EXPECT_EQ(codec.toAnsi(scrambled),
              (std::string{static_cast<char>('a' ^ 248), static_cast<char>('b' ^ 29),
                           static_cast<char>('c' ^ 1)}));
    EXPECT_EQ(scrambler.funDoXOR(scrambler.funDoXOR("abc", key), key), "abc");
}

} // namespace
} // namespace orvan::test
