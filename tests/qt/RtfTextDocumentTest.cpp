#include "RtfTextDocument.h"

#include "IconvAnsiCodec.h"
#include "base/AnsiCodePages.h"

#include <QDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

// Readable failure messages: QString lives in the global namespace.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace orvan {
namespace {

std::unique_ptr<QTextDocument> load(std::string_view rtf) {
    auto loaded = RtfTextDocument::fromRtf(rtf);
    EXPECT_TRUE(loaded.ok()) << loaded.error.toStdString();
    return std::move(loaded.document);
}

QString plainText(std::string_view rtf) {
    const auto document = load(rtf);
    return document ? document->toPlainText() : QString();
}

// The first fragment of the document whose text is `text`.
QTextFragment fragment(const QTextDocument& document, const QString& text) {
    for (auto block = document.begin(); block != document.end(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text() == text) {
                return it.fragment();
            }
        }
    }
    return {};
}

bool hasThai(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B; });
}

TEST(RtfTextDocument, paragraphsBecomeBlocksAndRunsCarryTheirFormat) {
    const auto document =
        load(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red200\green0\blue0;})"
             R"(\pard\qc\f0\fs32\b Title\b0\par\pard\qr left {\i\ul\cf1 red}\line next\par})");
    ASSERT_TRUE(document);
    ASSERT_EQ(document->blockCount(), 2);
    EXPECT_EQ(document->firstBlock().text(), "Title");
    EXPECT_EQ(document->lastBlock().text(), QStringLiteral("left red\u2028next"))
        << "a line break stays inside its paragraph";
    EXPECT_EQ(document->firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document->lastBlock().blockFormat().alignment(), Qt::AlignRight);

    const auto title = fragment(*document, "Title").charFormat();
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.fontPointSize(), 16.0);
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_FALSE(title.hasProperty(QTextFormat::ForegroundBrush)) << "the default colour";

    const auto red = fragment(*document, "red").charFormat();
    EXPECT_EQ(red.fontWeight(), QFont::Normal);
    EXPECT_TRUE(red.fontItalic());
    EXPECT_TRUE(red.fontUnderline());
    EXPECT_EQ(red.foreground().color(), QColor(200, 0, 0));
}

TEST(RtfTextDocument, refusalAndTruncationAreReported) {
    const auto refused = RtfTextDocument::fromRtf("Dear customer");
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error.isEmpty());

    const auto cut = RtfTextDocument::fromRtf(R"({\rtf1 half a mess)");
    ASSERT_TRUE(cut.ok());
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.document->toPlainText(), "half a mess");

    const auto missing = RtfTextDocument::fromFile("/nonexistent/en_intro.rtf");
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error.contains("/nonexistent/en_intro.rtf"));
}

TEST(RtfCodePageDecoder, pagesWithoutBuiltInTablesGoThroughTheConverters) {
    EXPECT_EQ(plainText(R"({\rtf1\ansi\ansicpg1250 \'8a\'e8})"), QStringLiteral("Šč"));
    EXPECT_EQ(plainText(R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 Arial;}}\f0\'c6\'e8})"),
              QStringLiteral("Жи"));
    EXPECT_EQ(plainText(R"({\rtf1\ansi{\fonttbl{\f0\fcharset128 Gothic;}}\f0\'82\'a0\'93\'fa})"),
              QStringLiteral("あ日"));
    EXPECT_EQ(plainText(R"({\rtf1\ansi\ansicpg437 \'e9})"), QStringLiteral("é"))
        << "a page the converters lack is read as 1252";
}

// The built-in tables must not drift from the system's own converters.
TEST(RtfCodePageDecoder, builtInTablesAgreeWithTheSystemConverters) {
    for (const int codePage : {AnsiCodePages::kThai, AnsiCodePages::kWestern}) {
        const IconvAnsiCodec codec(codePage);
        for (int value = 0x20; value < 0x100; ++value) {
            const std::string byte(1, static_cast<char>(value));
            const auto system = QString::fromStdString(codec.fromAnsi(byte));
            const auto builtIn = QString::fromStdString(*AnsiCodePages::decode(byte, codePage));
            const bool undefined = system.size() == 1 && system[0].unicode() >= 0xF700 &&
                                   system[0].unicode() <= 0xF7FF;
            EXPECT_EQ(builtIn, undefined ? QString(QChar::ReplacementCharacter) : system)
                << "page " << codePage << " byte " << value;
        }
    }
}

TEST(RtfTextDocumentSamples, everyLockScreenMessageLoads) {
    const QDir folder(QStringLiteral(ORVAN_SOURCE_DIR "/data/messages"));
    const auto files = folder.entryList({"*.rtf"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 10);
    for (const auto& name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto loaded = RtfTextDocument::fromFile(folder.filePath(name));
        ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
        EXPECT_FALSE(loaded.truncated);
        const auto& document = *loaded.document;
        EXPECT_GE(document.blockCount(), 2);
        EXPECT_EQ(hasThai(document.toPlainText()), name.startsWith("th_"));
        EXPECT_FALSE(document.toPlainText().contains(QChar::ReplacementCharacter));
        const auto heading = document.firstBlock();
        EXPECT_EQ(heading.blockFormat().alignment(), Qt::AlignHCenter);
        EXPECT_EQ(heading.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    }
}

} // namespace
} // namespace orvan
