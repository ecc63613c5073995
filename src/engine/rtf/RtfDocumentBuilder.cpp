#include "rtf/RtfDocumentBuilder.h"

#include <utility>

namespace orvan {

RtfDocumentBuilder::RtfDocumentBuilder(const RtfCodePageDecoder& decoder)
    : text_(decoder) {}

void RtfDocumentBuilder::setFormat(const RtfTextFormat& format) {
    format_ = format;
    formatChanged_ = true;
}

void RtfDocumentBuilder::appendByte(std::uint8_t byte, int codePage) {
    openRunIfFormatChanged();
    text_.appendByte(byte, codePage);
}

void RtfDocumentBuilder::appendUnit(char32_t unit) {
    openRunIfFormatChanged();
    text_.appendUnit(unit);
}

void RtfDocumentBuilder::endParagraph(RtfAlignment alignment) {
    closeRun();
    paragraph_.alignment = alignment;
    document_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = {};
}

RtfDocument RtfDocumentBuilder::finish(RtfAlignment alignment) {
    closeRun();
    if (!paragraph_.runs.empty()) {
        endParagraph(alignment);
    }
    return std::move(document_);
}

void RtfDocumentBuilder::openRunIfFormatChanged() {
    // Compared once per switch, not per byte: a family name can be long.
    if (formatChanged_ && format_ != runFormat_) {
        closeRun();
        runFormat_ = format_;
    }
    formatChanged_ = false;
}

void RtfDocumentBuilder::closeRun() {
    if (text_.empty()) {
        return;
    }
    std::string text = text_.take();
    if (text.empty()) {
        return;
    }
    // Two runs in one format meet where only a switch and its undoing lay between.
    if (!paragraph_.runs.empty() && paragraph_.runs.back().format == runFormat_) {
        paragraph_.runs.back().text += text;
        return;
    }
    paragraph_.runs.push_back({std::move(text), runFormat_});
}

} // namespace orvan
