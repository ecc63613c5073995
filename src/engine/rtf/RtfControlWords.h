#pragma once

#include <optional>
#include <string_view>

namespace orvan {

// The control words the reader acts on; every other word is ignored.
class RtfControlWords {
public:
    enum class Action {
        // Header
        AnsiCodePage,
        DefaultFont,
        FontTable,
        ColourTable,
        // Inside the font and colour tables
        Font, // also the font of text in the body
        FontCharset,
        FontCodePage,
        Red,
        Green,
        Blue,
        // Character formatting
        Plain,
        Bold,
        Italic,
        Underline,
        UnderlineNone,
        Hidden,
        FontSize,
        ForegroundColour,
        // Paragraphs
        ParagraphDefault,
        AlignLeft,
        AlignCentre,
        AlignRight,
        AlignJustified,
        ParagraphEnd,
        // Text
        Character, // one fixed character, given with the word
        Unicode,
        UnicodeSkip,
        Binary,
        // A destination whose whole group is passed over
        SkippedDestination,
    };

    struct Word {
        Action action;
        char32_t character = 0;
    };

    static std::optional<Word> find(std::string_view name);
};

} // namespace orvan
