#include "RtfTextDocument.h"

#include "IconvAnsiCodec.h"
#include "rtf/RtfReader.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <map>

namespace orvan {
namespace {

Qt::Alignment alignmentOf(RtfAlignment alignment) {
    switch (alignment) {
    case RtfAlignment::Centre:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justified:
        return Qt::AlignJustify;
    case RtfAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat charFormatOf(const RtfTextFormat& format) {
    QTextCharFormat chars;
    chars.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    chars.setFontItalic(format.italic);
    chars.setFontUnderline(format.underline);
    if (!format.fontFamily.empty()) {
        chars.setFontFamilies({QString::fromStdString(format.fontFamily)});
    }
    chars.setFontPointSize(format.sizePoints);
    if (format.colour) {
        chars.setForeground(QColor(format.colour->red, format.colour->green, format.colour->blue));
    }
    return chars;
}

QString qtText(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    // A new line in a QTextDocument would start a new block.
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

// The converters stand in U+F700 + byte for bytes a page leaves undefined, to keep a
// round trip; a message only shows them, as the built-in tables do.
std::string withUndefinedReplaced(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    for (auto& c : text) {
        if (c.unicode() >= 0xF700 && c.unicode() <= 0xF7FF) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text.toStdString();
}

RtfTextDocument::Loaded refused(const QString& error) {
    RtfTextDocument::Loaded loaded;
    loaded.error = error;
    return loaded;
}

} // namespace

std::unique_ptr<QTextDocument> RtfTextDocument::build(const RtfDocument& model) {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document.get());
    for (const auto& paragraph : model.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(alignmentOf(paragraph.alignment));
        if (&paragraph == &model.paragraphs.front()) {
            cursor.setBlockFormat(block);
        } else {
            cursor.insertBlock(block);
        }
        for (const auto& run : paragraph.runs) {
            cursor.insertText(qtText(run.text), charFormatOf(run.format));
        }
    }
    return document;
}

RtfTextDocument::Loaded RtfTextDocument::fromRtf(std::string_view rtf) {
    const auto result = RtfReader(codePageDecoder()).read(rtf);
    if (!result.ok()) {
        return refused(QString::fromUtf8(result.reason().data(),
                                         static_cast<qsizetype>(result.reason().size())));
    }
    Loaded loaded;
    loaded.document = build(result.document);
    loaded.truncated = result.truncated;
    return loaded;
}

RtfTextDocument::Loaded RtfTextDocument::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    }
    // Read one byte past the limit, so that the reader sees the file is too large
    // without the whole of a huge file coming into memory.
    const QByteArray bytes = file.read(static_cast<qint64>(RtfReader::kMaxInputBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return refused(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    return fromRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

RtfCodePageDecoder RtfTextDocument::codePageDecoder() {
    auto codecs = std::make_shared<std::map<int, std::unique_ptr<IconvAnsiCodec>>>();
    return [codecs](std::string_view bytes, int codePage) -> std::optional<std::string> {
        // Asked before a codec is made, since a codec would take an unknown page for
        // 1252, and a cache of every page a file names would grow with the file.
        if (!IconvAnsiCodec::knows(codePage)) {
            return std::nullopt;
        }
        auto& codec = (*codecs)[codePage];
        if (!codec) {
            codec = std::make_unique<IconvAnsiCodec>(codePage);
        }
        return withUndefinedReplaced(codec->fromAnsi(bytes));
    };
}

} // namespace orvan
