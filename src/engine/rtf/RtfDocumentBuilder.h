#pragma once

#include "rtf/RtfCodePageDecoder.h"
#include "rtf/RtfDocument.h"
#include "rtf/RtfTextBuffer.h"

#include <cstdint>

namespace orvan {

// Lays the reader's text out into paragraphs and runs. A run starts only when text
// arrives in a format other than the open run's, so switches that no text follows
// leave no empty runs behind.
class RtfDocumentBuilder {
public:
    // `decoder` may be empty; it must outlive the builder.
    explicit RtfDocumentBuilder(const RtfCodePageDecoder& decoder);

    // The format of the text that follows.
    void setFormat(const RtfTextFormat& format);
    void appendByte(std::uint8_t byte, int codePage);
    void appendUnit(char32_t unit);
    // Closes the paragraph, empty or not: an empty one is a blank line.
    void endParagraph(RtfAlignment alignment);
    // Closes the last paragraph if it holds any text, and hands the document over.
    RtfDocument finish(RtfAlignment alignment);

private:
    void openRunIfFormatChanged();
    void closeRun();

    RtfDocument document_;
    RtfParagraph paragraph_;
    RtfTextFormat format_;
    RtfTextFormat runFormat_;
    bool formatChanged_ = false;
    RtfTextBuffer text_;
};

} // namespace orvan
