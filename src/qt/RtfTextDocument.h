#pragma once

#include "rtf/RtfCodePageDecoder.h"
#include "rtf/RtfDocument.h"

#include <QString>
#include <QTextDocument>
#include <memory>
#include <string_view>

namespace orvan {

// Turns a rich-text message into a QTextDocument for the lock screen: one block per
// paragraph with its alignment, one fragment per run with its character format.
class RtfTextDocument {
public:
    struct Loaded {
        // Nothing when the message was refused.
        std::unique_ptr<QTextDocument> document;
        // Why it was refused, for the log.
        QString error;
        // The file ended inside a group; the document holds what came before.
        bool truncated = false;

        bool ok() const { return document != nullptr; }
    };

    static std::unique_ptr<QTextDocument> build(const RtfDocument& model);
    static Loaded fromRtf(std::string_view rtf);
    static Loaded fromFile(const QString& path);

    // Decodes the code pages the reader has no table of through the C library's
    // converters; fails for a page they do not know. Each decoder keeps its own
    // converters, so one should serve a whole reading.
    static RtfCodePageDecoder codePageDecoder();
};

} // namespace orvan
