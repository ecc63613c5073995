#include "rtf/RtfReader.h"

#include "rtf/RtfFontTable.h"
#include "rtf/RtfLexer.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvan::test {
namespace {

using Refusal = RtfReadResult::Refusal;

RtfDocument read(std::string_view rtf, RtfCodePageDecoder decoder = {}) {
    const auto result = RtfReader(std::move(decoder)).read(rtf);
    EXPECT_TRUE(result.ok()) << result.reason();
    EXPECT_FALSE(result.truncated);
    return result.document;
}

std::string text(std::string_view rtf) {
    return read(rtf).plainText();
}

// The runs of a one-paragraph document.
std::vector<RtfRun> runs(std::string_view rtf) {
    const auto document = read(rtf);
    EXPECT_EQ(document.paragraphs.size(), 1U);
    return document.paragraphs.empty() ? std::vector<RtfRun>{} : document.paragraphs[0].runs;
}

RtfTextFormat style(bool bold, bool italic, bool underline) {
    RtfTextFormat format;
    format.bold = bold;
    format.italic = italic;
    format.underline = underline;
    return format;
}

TEST(RtfReaderFormatting, groupsScopeBoldItalicAndUnderline) {
    EXPECT_EQ(runs(R"({\rtf1 a{\b b{\i c}d}e\ul f\ul0 g\ul h\ulnone i})"),
              (std::vector<RtfRun>{{"a", style(false, false, false)},
                                   {"b", style(true, false, false)},
                                   {"c", style(true, true, false)},
                                   {"d", style(true, false, false)},
                                   {"e", style(false, false, false)},
                                   {"f", style(false, false, true)},
                                   {"g", style(false, false, false)},
                                   {"h", style(false, false, true)},
                                   {"i", style(false, false, false)}}));
}

TEST(RtfReaderFormatting, switchesWithoutTextBetweenLeaveOneRun) {
    EXPECT_EQ(runs(R"({\rtf1\b a\b0\i\i0\b1 b\plain\b c})"),
              (std::vector<RtfRun>{{"abc", style(true, false, false)}}));
}

TEST(RtfReaderFormatting, fontTableGivesFamiliesAndSizesAreHalfPoints) {
    const auto found = runs(R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;})"
                            R"({\f1\froman\fcharset0 Times New Roman{\*\falt Times};}})"
                            R"(\fs20 a\f1\fs37 b\plain c\f7 d})");
    ASSERT_EQ(found.size(), 4U);
    EXPECT_EQ(found[0].format.fontFamily, "Arial");
    EXPECT_EQ(found[0].format.sizePoints, 10.0);
    EXPECT_EQ(found[1].format.fontFamily, "Times New Roman");
    EXPECT_EQ(found[1].format.sizePoints, 18.5);
    EXPECT_EQ(found[2].format.fontFamily, "Arial") << "plain goes back to the default font";
    EXPECT_EQ(found[2].format.sizePoints, 12.0);
    EXPECT_EQ(found[3].format.fontFamily, "") << "a font the table does not have";
}

TEST(RtfReaderFormatting, fontTableWithoutInnerGroupsAndOutOfRangeSizes) {
    const auto found =
        runs(R"({\rtf1{\fonttbl\f0\fnil Courier New;\f1 Tahoma;}\f1\fs0 a\fs99999999999 b})");
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0].format.fontFamily, "Tahoma");
    EXPECT_EQ(found[0].format.sizePoints, 12.0) << "no size: the default";
    EXPECT_EQ(found[1].format.sizePoints, 1638.0) << "clamped";
}

TEST(RtfReaderFormatting, colourTableIndexesAndTheDefaultColour) {
    const auto found = runs(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green128\blue300;})"
                            R"(\cf1 a\cf2 b\cf0 c\cf9 d})");
    ASSERT_EQ(found.size(), 3U);
    EXPECT_EQ(found[0].format.colour, (RtfColour{255, 0, 0}));
    EXPECT_EQ(found[1].format.colour, (RtfColour{0, 128, 255}));
    EXPECT_EQ(found[2].text, "cd") << "entry 0 and a missing entry are the default";
    EXPECT_FALSE(found[2].format.colour.has_value());
}

TEST(RtfReaderParagraphs, alignmentIsTheOneInForceAtTheParagraphEnd) {
    const auto document = read(R"({\rtf1\pard\qc Title\par)"
                               "\r\n"
                               R"(\pard left\par{\qr right\par}\qj just\par\ql\par
\pard\qc last})");
    std::vector<RtfAlignment> alignments;
    for (const auto& paragraph : document.paragraphs) {
        alignments.push_back(paragraph.alignment);
    }
    EXPECT_EQ(alignments, (std::vector<RtfAlignment>{RtfAlignment::Centre, RtfAlignment::Left,
                                                     RtfAlignment::Right, RtfAlignment::Justified,
                                                     RtfAlignment::Left, RtfAlignment::Centre}));
    EXPECT_EQ(document.plainText(), "Title\nleft\nright\njust\n\nlast");
}

TEST(RtfReaderParagraphs, lastParagraphMarkAddsNoEmptyParagraph) {
    EXPECT_EQ(read(R"({\rtf1 one\par two\par})").paragraphs.size(), 2U);
    EXPECT_EQ(read(R"({\rtf1 one\par\par two})").paragraphs.size(), 3U);
    EXPECT_EQ(read(R"({\rtf1 one\
two})")
                  .paragraphs.size(),
              2U)
        << "a backslash before the line end is a paragraph mark";
    EXPECT_TRUE(read(R"({\rtf1\b\par})").paragraphs[0].runs.empty());
}

TEST(RtfReaderText, escapesSpecialCharactersAndLineEnds) {
    EXPECT_EQ(text(R"({\rtf1 a\\b\{c\}d\~e\-f\_g\tab h\line i})"),
              "a\\b{c}d\u00A0e\u00ADf\u2011g\th\ni");
    EXPECT_EQ(text(R"({\rtf1\emdash\endash\bullet\lquote x\rquote\ldblquote y\rdblquote})"),
              "\u2014\u2013\u2022\u2018x\u2019\u201Cy\u201D");
    EXPECT_EQ(text("{\\rtf1 one\r\ntwo\nthree\tfour}"), "onetwothree\tfour")
        << "line ends in the source are not text";
}

TEST(RtfReaderCodePages, thaiBytesInTheDocumentPage) {
    EXPECT_EQ(text(R"({\rtf1\ansi\ansicpg874 \'ca\'c7\'d1\'ca\'b4\'d5 \'80\'85\'91\'db})"),
              "สวัสดี €…‘\uFFFD");
}

TEST(RtfReaderCodePages, fontCharsetOverridesTheDocumentPage) {
    const auto rtf = R"({\rtf1\ansi\ansicpg874{\fonttbl{\f0\fcharset0 Arial;})"
                     R"({\f1\fcharset222 Tahoma;}{\f2\fcharset2 Symbol;}})"
                     R"(\f0\'e0\'80 \f1\'e0\'80 \f2\'e0})";
    EXPECT_EQ(text(rtf), "à€ เ€ เ") << "a symbol font keeps the document's page";
    EXPECT_EQ(text(R"({\rtf1\ansi{\fonttbl{\f0\fcharset222 Tahoma;}}\'e0\f0\'e0})"), "àเ")
        << "text in no font is in the document's page, 1252 by default";
}

TEST(RtfReaderCodePages, otherPagesGoToTheDecoderWithTheirBytesTogether) {
    std::vector<std::pair<std::string, int>> calls;
    const auto decoder = [&calls](std::string_view bytes, int codePage) {
        calls.emplace_back(std::string(bytes), codePage);
        return std::optional<std::string>(codePage == 932 ? "あ" : "Ж");
    };
    const auto document = read(R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f1\fcharset128 Gothic;}})"
                               R"(\'c6{\f1\'82\'a0}})",
                               decoder);
    EXPECT_EQ(document.plainText(), "Жあ");
    EXPECT_EQ(calls, (std::vector<std::pair<std::string, int>>{{"\xC6", 1251}, {"\x82\xA0", 932}}));
}

TEST(RtfReaderCodePages, westernPageWhenTheDecoderFailsOrIsMissing) {
    const auto rtf = R"({\rtf1\ansi\ansicpg1251 \'c6\'80})";
    EXPECT_EQ(text(rtf), "Æ€");
    EXPECT_EQ(
        read(rtf, [](std::string_view, int) { return std::optional<std::string>{}; }).plainText(),
        "Æ€");
    EXPECT_EQ(read(rtf,
                   [](std::string_view, int) -> std::optional<std::string> {
                       throw std::runtime_error("no converter");
                   })
                  .plainText(),
              "Æ€");
}

TEST(RtfReaderUnicode, fallbacksAreSkippedByTheCountInForce) {
    EXPECT_EQ(text(R"({\rtf1\u3626?\u3623\'c7 x})"), "สว x") << "a \\'hh is one character";
    EXPECT_EQ(text(R"({\rtf1\uc2\u8364 ab\uc0\u8364 c})"), "€€c");
    EXPECT_EQ(text(R"({\rtf1{\uc2\u8364 a}b\u8364 cd})"), "€b€d") << "\\uc ends with its group";
    EXPECT_EQ(text(R"({\rtf1\uc3\u8364 {\b x}})"), "€x") << "a brace ends the fallback";
    EXPECT_EQ(text(R"({\rtf1\u-255?\u0?\u99999999?})"), "！\uFFFD")
        << "negative is unsigned 16-bit; nul is dropped; beyond Unicode is replaced";
}

TEST(RtfReaderUnicode, surrogatePairsJoinAndLoneHalvesAreReplaced) {
    EXPECT_EQ(text(R"({\rtf1\u-10179?\u-8704?})"), "😀");
    EXPECT_EQ(text(R"({\rtf1\u-10179?x\u-8704?y\u-10179?})"), "\uFFFDx\uFFFDy\uFFFD");
}

TEST(RtfReaderDestinations, skippedDestinationsLeaveNoText) {
    const auto rtf =
        R"({\rtf1{\*\generator Writer 1.0;}{\info{\title Secret}{\author Me}})"
        R"({\stylesheet{\s0 Normal;}}{\*\listtable{\list{\listname L;}}})"
        R"({\header head}{\footerl foot}{\*\themedata 5045}{\*\unknown hidden})"
        R"(\sectd\headery720 a{\pict\pngblip 89504e47}{\*\shppict{\pict\wmetafile8 01}})"
        R"({\object{\*\objdata 0102}}b{\footnote note}{\v hidden\line}c\v x\v0})";
    EXPECT_EQ(text(rtf), "abc");
}

TEST(RtfReaderDestinations, binaryDataMayHoldBraces) {
    EXPECT_EQ(text(R"({\rtf1 a{\pict\bin4 }}{{}b})"), "ab");
}

TEST(RtfReaderDestinations, fieldKeepsItsResultOnly) {
    EXPECT_EQ(text(R"({\rtf1 See {\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt{\ul site}}})"
                   R"( or {\field{\fldinst PAGE}{\fldrslt 3}}.})"),
              "See site or 3.");
}

TEST(RtfReaderRefusals, inputThatIsNotRichTextIsRefused) {
    EXPECT_EQ(RtfReader().read("").refusal, Refusal::Empty);
    EXPECT_EQ(RtfReader().read("plain text").refusal, Refusal::NotRtf);
    EXPECT_EQ(RtfReader().read(" {\\rtf1 x}").refusal, Refusal::NotRtf);
    EXPECT_EQ(RtfReader().read("{\\rtf12 x}").refusal, Refusal::NotRtf);
    EXPECT_EQ(RtfReader().read("{\\rtf").refusal, Refusal::NotRtf);
    const auto refused = RtfReader().read("\x89PNG\r\n");
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.reason().empty());
    EXPECT_TRUE(refused.document.paragraphs.empty());
}

TEST(RtfReaderRefusals, nestingBeyondTheLimitIsRefused) {
    const auto nested = [](std::size_t depth) {
        return "{\\rtf1" + std::string(depth - 1, '{') + "x" + std::string(depth, '}');
    };
    EXPECT_EQ(RtfReader().read(nested(RtfReader::kMaxDepth)).document.plainText(), "x");
    EXPECT_EQ(RtfReader().read(nested(RtfReader::kMaxDepth + 1)).refusal, Refusal::TooDeep);
    EXPECT_EQ(RtfReader().read("{\\rtf1" + std::string(1'000'000, '{')).refusal, Refusal::TooDeep);
}

TEST(RtfReaderTruncation, unclosedGroupsKeepWhatWasRead) {
    const auto result = RtfReader().read(R"({\rtf1{\fonttbl{\f0 Arial;}}\qc Title\par{\b bold)");
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.truncated);
    ASSERT_EQ(result.document.paragraphs.size(), 2U);
    EXPECT_EQ(result.document.paragraphs[1].alignment, RtfAlignment::Centre);
    EXPECT_EQ(result.document.paragraphs[1].runs[0].text, "bold");
    EXPECT_TRUE(result.document.paragraphs[1].runs[0].format.bold);

    for (const auto cut :
         {R"({\rtf1 a\)", R"({\rtf1 a\'4)", R"({\rtf1 a\u)", R"({\rtf1 a\bin99 b)"}) {
        const auto truncated = RtfReader().read(cut);
        EXPECT_TRUE(truncated.ok() && truncated.truncated) << cut;
        EXPECT_EQ(truncated.document.plainText().substr(0, 1), "a") << cut;
    }
}

TEST(RtfReaderTruncation, textAfterTheOutermostGroupIsIgnored) {
    const auto result = RtfReader().read(R"({\rtf1 kept}}{\b dropped})");
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(result.document.plainText(), "kept");
}

TEST(RtfReaderMalformed, oddTokensAreIgnoredNotFatal) {
    const std::string longWord(RtfLexer::kMaxWordLength + 1, 'b');
    EXPECT_EQ(text("{\\rtf1\\" + longWord + " a\\'zz b\\'4g c\\% d}"), "azz b4g c d");
    EXPECT_EQ(text(R"({\rtf1\fs-5 a\f-2147483649 b\uc-3\u65 c})"), "abAc");
    EXPECT_TRUE(runs(R"({\rtf1\fs2147483647 a})")[0].format.sizePoints == 1638.0);
}

TEST(RtfReaderMalformed, hostileFontTableStaysSmall) {
    // Every run carries its family name: an unbounded one would multiply the input.
    const std::string name(100'000, 'N');
    const auto found = runs("{\\rtf1{\\fonttbl{\\f0 " + name + ";}}\\f0 a}");
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].format.fontFamily, name.substr(0, RtfFontTable::kMaxNameUnits));
}

} // namespace
} // namespace orvan::test
