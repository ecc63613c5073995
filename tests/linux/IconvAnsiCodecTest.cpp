#include "IconvAnsiCodec.h"

#include <gtest/gtest.h>

namespace orvan {
namespace {

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(IconvAnsiCodec, ThaiMapsBothWays) {
    const IconvAnsiCodec thai(874);
    EXPECT_EQ(thai.toAnsi("\u0e03"), "\xa3"); // ฃ
    EXPECT_EQ(thai.toAnsi("\u0e15"), "\xb5"); // ต
    EXPECT_EQ(thai.fromAnsi("\xa3\xb5"), "\u0e03\u0e15");
    EXPECT_EQ(thai.toAnsi("abc \u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35"),
              "abc \xca\xc7\xd1\xca\xb4\xd5"); // สวัสดี
    EXPECT_EQ(thai.fromAnsi("\x80"), "\u20ac");
}

TEST(IconvAnsiCodec, WesternMapsBothWays) {
    const IconvAnsiCodec western(1252);
    EXPECT_EQ(western.toAnsi("caf\u00e9 \u20ac5"), "caf\xe9 \x80"
                                                   "5");
    EXPECT_EQ(western.fromAnsi("\xe9\x80"), "\u00e9\u20ac");
    EXPECT_EQ(western.toAnsi("\u0e03\u4e2d"), "??");
}

TEST(IconvAnsiCodec, EveryByteStringSurvivesARoundTrip) {
    for (const int codePage : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        const IconvAnsiCodec codec(codePage);
        const std::string utf8 = codec.fromAnsi(allBytes());
        EXPECT_EQ(codec.toAnsi(utf8), allBytes()) << codePage;
    }
    // 0x81 is undefined in 1252 yet comes back.
    const IconvAnsiCodec western(1252);
    EXPECT_EQ(western.fromAnsi("\x81"), "\uf781");
}

TEST(IconvAnsiCodec, InvalidUtf8BecomesOneQuestionMarkPerByte) {
    for (const int codePage : {1252, 932}) {
        const IconvAnsiCodec codec(codePage);
        EXPECT_EQ(codec.toAnsi("a\xff"
                               "b"),
                  "a?b")
            << codePage;
        EXPECT_EQ(codec.toAnsi("\xe0\xb8"), "??") << codePage;      // cut short
        EXPECT_EQ(codec.toAnsi("\xc0\xaf"), "??") << codePage;      // overlong "/"
        EXPECT_EQ(codec.toAnsi("\xed\xa0\x80"), "???") << codePage; // surrogate
    }
}

TEST(IconvAnsiCodec, VietnameseWritesPrecomposedLettersAsBaseAndMark) {
    const IconvAnsiCodec vietnamese(1258);
    const std::string bytes = vietnamese.toAnsi("\u1ec7"); // ệ
    EXPECT_EQ(bytes, "\xea\xf2");
    EXPECT_EQ(vietnamese.fromAnsi(bytes), "\u00ea\u0323");
}

TEST(IconvAnsiCodec, DoubleBytePagesStream) {
    const IconvAnsiCodec japanese(932);
    EXPECT_EQ(japanese.toAnsi("A\u65e5\u672c"), "A\x93\xfa\x96\x7b");
    EXPECT_EQ(japanese.fromAnsi("A\x93\xfa\x96\x7b"), "A\u65e5\u672c");
    EXPECT_EQ(japanese.toAnsi("\u0e03x"), "?x");
    EXPECT_EQ(japanese.fromAnsi("x\x93"), "x?"); // lead byte without its trail

    const IconvAnsiCodec chinese(936);
    EXPECT_EQ(chinese.fromAnsi(chinese.toAnsi("\u4e2d\u6587")), "\u4e2d\u6587");
}

// Longer than iconv's output buffer, so conversion has to carry on where it stopped.
TEST(IconvAnsiCodec, LongTextConvertsWhole) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "\u65e5\u672c";
    }
    const IconvAnsiCodec japanese(932);
    ASSERT_EQ(japanese.toAnsi(text).size(), 20000u);
    EXPECT_EQ(japanese.fromAnsi(japanese.toAnsi(text)), text);
}

} // namespace
} // namespace orvan
