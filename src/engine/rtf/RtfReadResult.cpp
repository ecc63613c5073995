#include "rtf/RtfReadResult.h"

namespace orvan {

std::string_view RtfReadResult::reason() const {
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::Empty:
        return "the file is empty";
    case Refusal::TooLarge:
        return "the file is too large for a message";
    case Refusal::NotRtf:
        return "not a rich-text document (it does not begin with {\\rtf1)";
    case Refusal::TooDeep:
        return "groups are nested too deeply";
    }
    return "unknown refusal";
}

} // namespace orvan
