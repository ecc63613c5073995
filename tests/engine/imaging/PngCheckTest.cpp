#include "imaging/PngCheck.h"

#include "engine/imaging/PngBytes.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

int verdict(const std::string& bytes) {
    return PngCheck::check(bytes).errorNumber;
}

TEST(PngCheckTest, anythingButTheEightByteSignatureIsErrorOne) {
    const auto good = PngBytes::minimal();
    auto flipped = good;
    flipped[1] = 'p';
    EXPECT_EQ(verdict(""), PngCheck::kBadSignature);
    EXPECT_EQ(verdict(good.substr(0, 7)), PngCheck::kBadSignature);
    EXPECT_EQ(verdict(flipped), PngCheck::kBadSignature);
    EXPECT_EQ(verdict("GIF89a\x01\x00\x01\x00"), PngCheck::kBadSignature);
    EXPECT_EQ(verdict(good), PngCheck::kReadable);
}

TEST(PngCheckTest, chunkEndingExactlyAtTheEndIsWholeAndOneBytePastIsTruncated) {
    const auto body = PngBytes{}.header(2, 2).imageData("0123456789");
    const auto whole = PngBytes{body}.end().str();
    const auto idatEnd = whole.size() - 12; // IEND is the last 12 bytes
    EXPECT_EQ(verdict(whole), PngCheck::kReadable);
    EXPECT_EQ(verdict(whole + "\xFF\xFF\xFF\xFF after the end"), PngCheck::kReadable);
    EXPECT_EQ(verdict(whole.substr(0, whole.size() - 1)), PngCheck::kTruncatedChunk)
        << "IEND's check value one byte short";
    EXPECT_EQ(verdict(whole.substr(0, idatEnd - 1)), PngCheck::kTruncatedChunk)
        << "IDAT's check value one byte short";
    EXPECT_EQ(verdict(whole.substr(0, idatEnd - 5)), PngCheck::kTruncatedChunk)
        << "IDAT's data one byte short";
    EXPECT_EQ(verdict(PngBytes{body}.raw(std::string(3, '\0')).str()), PngCheck::kTruncatedChunk)
        << "part of a chunk header";
    EXPECT_EQ(verdict(PngBytes{}.header(1, 1).raw(PngBytes::word32(4) + "IDAT" + "abc").str() +
                      PngBytes::word32(0)),
              PngCheck::kTruncatedChunk)
        << "length one more than the data there";
}

// The front end's reader refuses such files, so the engine must not hand them on.
TEST(PngCheckTest, fileCutOffBeforeTheEndChunkIsTruncatedEvenBetweenChunks) {
    EXPECT_EQ(verdict(PngBytes{}.header(1, 1).imageData().str()), PngCheck::kTruncatedChunk);
    EXPECT_EQ(verdict(PngBytes{}.str()), PngCheck::kTruncatedChunk) << "signature alone";
}

TEST(PngCheckTest, lengthsBeyondTheFileOrThePngLimitAreTruncationNotTrust) {
    for (const std::uint32_t length : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFCu, 0xFFFFFFFFu}) {
        const auto bytes = PngBytes{}
                               .header(1, 1)
                               .imageData()
                               .raw(PngBytes::word32(length) + "tEXt" + std::string(64, 'x'))
                               .str();
        EXPECT_EQ(verdict(bytes), PngCheck::kTruncatedChunk) << std::hex << length;
    }
}

TEST(PngCheckTest, fileWithoutImageDataIsErrorFour) {
    EXPECT_EQ(verdict(PngBytes{}.header(1, 1).end().str()), PngCheck::kNoImageData);
    EXPECT_EQ(verdict(PngBytes{}.header(1, 1).imageData("").end().str()), PngCheck::kNoImageData)
        << "an empty IDAT holds no data";
    EXPECT_EQ(verdict(PngBytes{}.header(1, 1).end().imageData().str()), PngCheck::kNoImageData)
        << "nothing after IEND counts";
}

TEST(PngCheckTest, headerAndAncillaryChunksAreReported) {
    const char time[] = {0x07, static_cast<char>(0xE8), 3, 7, 9, 5, 0};
    const auto bytes =
        PngBytes{}
            .raw(PngBytes::word32(13) + "IHDR" + PngBytes::word32(640) + PngBytes::word32(480) +
                 std::string{16, 6, 3, 2, 1} + PngBytes::word32(0))
            .chunk("gAMA", PngBytes::word32(45455))
            .chunk("tEXt", std::string{"Title\0Caf\xE9", 10})
            .chunk("tEXt", "NoSeparator")
            .chunk("zTXt", std::string{"Comment\0\0\x78\x9c", 10})
            .chunk("tIME", std::string{time, sizeof time})
            .chunk("bKGD", std::string(6, '\0'))
            .chunk("tRNS", std::string(6, '\0'))
            .chunk("xyZw", "unknown, skipped")
            .imageData("abc")
            .imageData("de")
            .end()
            .str();
    const auto facts = PngCheck::check(bytes);
    EXPECT_EQ(facts.errorNumber, PngCheck::kReadable);
    EXPECT_EQ(facts.width, 640u);
    EXPECT_EQ(facts.height, 480u);
    EXPECT_EQ(facts.bitDepth, 16);
    EXPECT_EQ(facts.colorType, 6);
    EXPECT_EQ(facts.compression, 3);
    EXPECT_EQ(facts.filter, 2);
    EXPECT_EQ(facts.interlacing, 1);
    EXPECT_TRUE(facts.haveAlpha);
    EXPECT_TRUE(facts.haveTransparence);
    EXPECT_TRUE(facts.hasBkgdChunk);
    EXPECT_EQ(facts.gama, 45455u);
    ASSERT_EQ(facts.texts.size(), 2u);
    EXPECT_EQ(facts.texts[0].keyword, "Title");
    EXPECT_EQ(facts.texts[0].text, "Caf\xC3\xA9") << "Latin-1 becomes UTF-8";
    EXPECT_EQ(facts.texts[1].keyword, "NoSeparator");
    EXPECT_EQ(facts.texts[1].text, "");
    EXPECT_TRUE(facts.hasZtxt);
    EXPECT_EQ(facts.modiTime, "2024.3.7 9:5:0");
    EXPECT_EQ(facts.imageDataBytes, 5u);
}

TEST(PngCheckTest, shortHeaderChunksReadAsZerosBeyondTheirData) {
    const auto facts = PngCheck::check(PngBytes{}
                                           .chunk("IHDR", PngBytes::word32(7) + "\x01")
                                           .chunk("gAMA", "\x01\x02")
                                           .chunk("tIME", "\x07")
                                           .imageData()
                                           .end()
                                           .str());
    EXPECT_EQ(facts.errorNumber, PngCheck::kReadable);
    EXPECT_EQ(facts.width, 7u);
    EXPECT_EQ(facts.height, 0u);
    EXPECT_EQ(facts.gama, 0u);
    EXPECT_EQ(facts.modiTime, "1792.0.0 0:0:0");
}

} // namespace
} // namespace orvan::test
