#include "rtf/RtfDocument.h"

namespace orvan {

std::string RtfDocument::plainText() const {
    std::string text;
    for (const auto& paragraph : paragraphs) {
        if (&paragraph != &paragraphs.front()) {
            text += '\n';
        }
        for (const auto& run : paragraph.runs) {
            text += run.text;
        }
    }
    return text;
}

} // namespace orvan
