#include "rtf/RtfReader.h"

#include "rtf/RtfInterpreter.h"

#include <utility>

namespace orvan {
namespace {

constexpr std::string_view kHeader = "{\\rtf1";

bool hasHeader(std::string_view rtf) {
    // "{\rtf12" would be another version.
    return rtf.starts_with(kHeader) &&
           (rtf.size() == kHeader.size() || rtf[kHeader.size()] < '0' || rtf[kHeader.size()] > '9');
}

} // namespace

RtfReader::RtfReader(RtfCodePageDecoder decoder)
    : decoder_(std::move(decoder)) {}

RtfReadResult RtfReader::read(std::string_view rtf) const {
    if (rtf.empty()) {
        return RtfReadResult::refused(RtfReadResult::Refusal::Empty);
    }
    if (rtf.size() > kMaxInputBytes) {
        return RtfReadResult::refused(RtfReadResult::Refusal::TooLarge);
    }
    if (!hasHeader(rtf)) {
        return RtfReadResult::refused(RtfReadResult::Refusal::NotRtf);
    }
    return RtfInterpreter(rtf, decoder_, kMaxDepth).run();
}

} // namespace orvan
