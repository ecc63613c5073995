#pragma once

#include "rtf/RtfDocument.h"

#include <string_view>

namespace orvan {

// What reading a rich-text message gives: the document, or why there is none.
struct RtfReadResult {
    enum class Refusal {
        None,
        Empty,
        TooLarge, // beyond RtfReader::kMaxInputBytes
        NotRtf,   // does not begin with {\rtf1
        TooDeep,  // groups nested beyond RtfReader::kMaxDepth
    };

    Refusal refusal = Refusal::None;
    // Empty when refused.
    RtfDocument document;
    // The input ended inside a group: the document holds what came before.
    bool truncated = false;

    static RtfReadResult refused(Refusal why) {
        RtfReadResult result;
        result.refusal = why;
        return result;
    }

    bool ok() const { return refusal == Refusal::None; }
    // A short English reason for the log; empty when nothing was refused.
    std::string_view reason() const;
};

} // namespace orvan
