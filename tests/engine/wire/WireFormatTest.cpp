#include "wire/WireFormat.h"

#include "base/AppError.h"
#include "wire/DiscoveryMarkers.h"
#include "wire/Tags.h"

#include <gtest/gtest.h>
#include <set>

namespace orvan::test {
namespace {

using Fields = std::vector<std::string>;

TEST(WireFormatSplit, cutsAtEverySeparatorAndIgnoresOneTrailingSeparator) {
    const std::string sep{tags::kPayloadToken};
    EXPECT_EQ(WireFormat::funSplit("", sep), Fields{});
    EXPECT_EQ(WireFormat::funSplit("abc", ""), Fields{});
    EXPECT_EQ(WireFormat::funSplit("abc", sep), Fields{"abc"});
    EXPECT_EQ(WireFormat::funSplit("a" + sep + "b", sep), (Fields{"a", "b"}));
    EXPECT_EQ(WireFormat::funSplit("a" + sep + "b" + sep, sep), (Fields{"a", "b"}));
    EXPECT_EQ(WireFormat::funSplit(sep + "b", sep), (Fields{"", "b"}));
    EXPECT_EQ(WireFormat::funSplit("a" + sep + sep + "c", sep), (Fields{"a", "", "c"}));
    EXPECT_EQ(WireFormat::funSplit(sep, sep), Fields{""});
}

TEST(WireFormatTags, everyTagIsTwentyCharactersAndUnique) {
    std::set<std::string_view> seen;
    for (const auto tag : tags::kAll) {
        EXPECT_EQ(tag.size(), tags::kTagLength) << tag;
        EXPECT_EQ(tag.substr(0, 3), "%$&") << tag;
        EXPECT_EQ(tag.back(), '#') << tag;
        EXPECT_TRUE(seen.insert(tag).second) << "duplicate " << tag;
    }
    EXPECT_EQ(seen.size(), 73U);
}

TEST(WireFormatTags, nameIsRightAlignedInSixteenCharactersFilledWithHash) {
    EXPECT_EQ(WireFormat::tagFor("WorkstationState"), tags::kWorkstationState);
    EXPECT_EQ(WireFormat::tagFor("UserID"), tags::kUserID);
    EXPECT_EQ(WireFormat::tagFor("PauseLocKWksn"), tags::kPauseLocKWksn);
    EXPECT_EQ(WireFormat::tagFor("SEssionCleanup"), tags::kSEssionCleanup);
    EXPECT_EQ(WireFormat::tagFor("ThisNameIsTooLong"), "");
}

TEST(WireFormatMessages, payloadSitsBetweenTagAndEndTag) {
    EXPECT_EQ(WireFormat::message(tags::kServerDate), "%$&######ServerDate#%$&######MessageEnd#");
    EXPECT_EQ(WireFormat::message(tags::kWorkstationState, "2"),
              "%$&WorkstationState#2%$&######MessageEnd#");
    EXPECT_EQ(WireFormat::message(tags::kForceCardUpdate, {"0.5", "0.25"}),
              "%$&#ForceCardUpdate#0.5%$&####PayloadToken#0.25%$&######MessageEnd#");
}

TEST(WireFormatMessages, fieldHoldingAMarkerIsRefusedNotSentInAnyForm) {
    const std::string end{tags::kMessageEnd};
    const std::string sep{tags::kPayloadToken};
    for (const auto& marker : {end, sep}) {
        const auto field = "pw" + marker + "%$&########LockWksn#";
        EXPECT_THROW(WireFormat::message(tags::kChatMessage, field), AppError) << marker;
        EXPECT_THROW(WireFormat::message(tags::kSessionOpen, {"4", field, "bob", "6", ""}),
                     AppError)
            << marker;
    }
    // Pieces of a marker are plain text: only the whole marker cuts a message.
    EXPECT_EQ(WireFormat::message(tags::kChatMessage, "100%$&###"),
              "%$&#####ChatMessage#100%$&###" + end);
    EXPECT_NO_THROW(WireFormat::message(tags::kSessionOpen, {"4", "%$&######MessageEnd", "b"}));
}

TEST(WireFormatMessages, appendingAddsTheSameBytesAndLeavesTheTextAsItWasOnARefusal) {
    std::string text{"kept"};
    WireFormat::append(text, tags::kServerDate);
    WireFormat::append(text, tags::kWorkstationState, "2");
    WireFormat::append(text, tags::kForceCardUpdate, {"0.5", "0.25"});
    EXPECT_EQ(text, "kept" + WireFormat::message(tags::kServerDate) +
                        WireFormat::message(tags::kWorkstationState, "2") +
                        WireFormat::message(tags::kForceCardUpdate, {"0.5", "0.25"}));

    const auto before = text;
    const std::string field = "ok" + std::string{tags::kMessageEnd};
    EXPECT_THROW(WireFormat::append(text, tags::kSessionOpen, {"4", field}), AppError);
    EXPECT_EQ(text, before) << "no half message before the refused field";
}

TEST(WireFormatMarkers, discoveryMarkersAreTheExactBytes) {
    const unsigned char request[] = {0x25, 0x24, 0x26, 0x23, 0x56, 0x41, 0x4E, 0x54, 0x49, 0x4B,
                                     0x40, 0x21, 0x2A, 0xA3, 0xB5, 0xA4, 0x3F, 0xA7, 0x3B, 0x23};
    const unsigned char answer[] = {0x25, 0x24, 0x26, 0x23, 0x56, 0x41, 0x4E, 0x54, 0x49, 0x4B,
                                    0x7B, 0x5B, 0xB0, 0xA3, 0x21, 0x5E, 0x7D, 0x25, 0x7E, 0x23};
    EXPECT_EQ(markers::kDiscoveryRequest,
              std::string_view(reinterpret_cast<const char*>(request), sizeof request));
    EXPECT_EQ(markers::kDiscoveryAnswer,
              std::string_view(reinterpret_cast<const char*>(answer), sizeof answer));
}

} // namespace
} // namespace orvan::test
