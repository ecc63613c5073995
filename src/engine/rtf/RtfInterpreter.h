#pragma once

#include "rtf/RtfCodePageDecoder.h"
#include "rtf/RtfColourTable.h"
#include "rtf/RtfControlWords.h"
#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfFontTable.h"
#include "rtf/RtfLexer.h"
#include "rtf/RtfReadResult.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orvan {

// One reading of one document, for RtfReader: follows the tokens with a stack of group
// states and sends the text to the tables or the document, by destination.
class RtfInterpreter {
public:
    // `rtf` must begin with "{"; `decoder` may be empty and must outlive the reading.
    RtfInterpreter(std::string_view rtf, const RtfCodePageDecoder& decoder, std::size_t maxDepth);

    RtfReadResult run();

private:
    enum class Destination { Body, FontTable, ColourTable, Skipped };

    struct Character {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool hidden = false;
        int font = -1; // the document's default font
        int halfPoints = 24;
        int colour = 0;

        bool operator==(const Character&) const = default;
    };

    struct Group {
        Destination destination = Destination::Body;
        Character character;
        RtfAlignment alignment = RtfAlignment::Left;
        int unicodeSkip = 1;
    };

    bool openGroup();
    bool closeGroup();
    RtfReadResult finish(bool truncated);

    void controlWord(const RtfToken& token);
    void bodyWord(RtfControlWords::Word word, const RtfToken& token);
    void fontTableWord(RtfControlWords::Action action, const RtfToken& token);
    void colourTableWord(RtfControlWords::Action action, const RtfToken& token);
    void controlSymbol(char symbol);
    void textByte(std::uint8_t byte);
    void hexByte(std::uint8_t byte);
    void putByte(std::uint8_t byte);
    void unicode(const RtfToken& token);
    bool skipFallback();

    void appendByte(std::uint8_t byte);
    void appendUnit(char32_t unit);
    void syncFormat();
    int fontOf(const Character& character) const;

    Group& top() { return groups_.back(); }

    RtfLexer lexer_;
    std::size_t maxDepth_;
    std::vector<Group> groups_;
    RtfFontTable fonts_;
    RtfColourTable colours_;
    RtfDocumentBuilder builder_;
    int documentCodePage_ = 1252;
    int defaultFont_ = -1;
    // Characters of a \uN fallback still to pass over.
    std::int64_t fallbackLeft_ = 0;
    // The state the builder's format and the code page were last made from.
    std::optional<Character> formatOf_;
    int codePage_ = 1252;
};

} // namespace orvan
