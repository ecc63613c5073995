#include "rtf/RtfControlWords.h"

#include <unordered_map>

namespace orvan {
namespace {

using Action = RtfControlWords::Action;
using Word = RtfControlWords::Word;

// Built before main, never on first use: nothing the engine allocates lazily may outlive a
// rewind of the wire fuzzer's client.
const std::unordered_map<std::string_view, Word> kWords{
    {"ansicpg", {Action::AnsiCodePage}},
    {"deff", {Action::DefaultFont}},
    {"fonttbl", {Action::FontTable}},
    {"colortbl", {Action::ColourTable}},

    {"f", {Action::Font}},
    {"fcharset", {Action::FontCharset}},
    {"cpg", {Action::FontCodePage}},
    {"red", {Action::Red}},
    {"green", {Action::Green}},
    {"blue", {Action::Blue}},

    {"plain", {Action::Plain}},
    {"b", {Action::Bold}},
    {"i", {Action::Italic}},
    // The underline styles all show as a plain underline.
    {"ul", {Action::Underline}},
    {"uld", {Action::Underline}},
    {"uldash", {Action::Underline}},
    {"uldb", {Action::Underline}},
    {"ulth", {Action::Underline}},
    {"ulw", {Action::Underline}},
    {"ulwave", {Action::Underline}},
    {"ulnone", {Action::UnderlineNone}},
    {"v", {Action::Hidden}},
    {"fs", {Action::FontSize}},
    {"cf", {Action::ForegroundColour}},

    {"pard", {Action::ParagraphDefault}},
    {"ql", {Action::AlignLeft}},
    {"qc", {Action::AlignCentre}},
    {"qr", {Action::AlignRight}},
    {"qj", {Action::AlignJustified}},
    {"qd", {Action::AlignJustified}},
    {"par", {Action::ParagraphEnd}},
    // A table row reads as a paragraph of cells apart by tabs.
    {"row", {Action::ParagraphEnd}},

    {"line", {Action::Character, U'\n'}},
    {"tab", {Action::Character, U'\t'}},
    {"cell", {Action::Character, U'\t'}},
    {"emdash", {Action::Character, U'\u2014'}},
    {"endash", {Action::Character, U'\u2013'}},
    {"emspace", {Action::Character, U'\u2003'}},
    {"enspace", {Action::Character, U'\u2002'}},
    {"qmspace", {Action::Character, U'\u2005'}},
    {"bullet", {Action::Character, U'\u2022'}},
    {"lquote", {Action::Character, U'\u2018'}},
    {"rquote", {Action::Character, U'\u2019'}},
    {"ldblquote", {Action::Character, U'\u201C'}},
    {"rdblquote", {Action::Character, U'\u201D'}},
    {"zwj", {Action::Character, U'\u200D'}},
    {"zwnj", {Action::Character, U'\u200C'}},
    {"u", {Action::Unicode}},
    {"uc", {Action::UnicodeSkip}},
    {"bin", {Action::Binary}},

    {"pict", {Action::SkippedDestination}},
    {"nonshppict", {Action::SkippedDestination}},
    {"object", {Action::SkippedDestination}},
    {"info", {Action::SkippedDestination}},
    {"stylesheet", {Action::SkippedDestination}},
    {"header", {Action::SkippedDestination}},
    {"headerl", {Action::SkippedDestination}},
    {"headerr", {Action::SkippedDestination}},
    {"headerf", {Action::SkippedDestination}},
    {"footer", {Action::SkippedDestination}},
    {"footerl", {Action::SkippedDestination}},
    {"footerr", {Action::SkippedDestination}},
    {"footerf", {Action::SkippedDestination}},
    {"footnote", {Action::SkippedDestination}},
    {"annotation", {Action::SkippedDestination}},
    {"fldinst", {Action::SkippedDestination}},
    {"themedata", {Action::SkippedDestination}},
    {"colorschememapping", {Action::SkippedDestination}},
    {"latentstyles", {Action::SkippedDestination}},
    {"datastore", {Action::SkippedDestination}},
    {"listtable", {Action::SkippedDestination}},
    {"listoverridetable", {Action::SkippedDestination}},
    {"rsidtbl", {Action::SkippedDestination}},
    {"generator", {Action::SkippedDestination}},
    {"xmlnstbl", {Action::SkippedDestination}},
    {"mmathPr", {Action::SkippedDestination}},
    {"filetbl", {Action::SkippedDestination}},
    {"revtbl", {Action::SkippedDestination}},
    {"xe", {Action::SkippedDestination}},
    {"tc", {Action::SkippedDestination}},
    // The old bullet definition: its text is the bullet's glyph, while the text
    // shown comes from \pntext.
    {"pn", {Action::SkippedDestination}},
};
} // namespace

std::optional<Word> RtfControlWords::find(std::string_view name) {
    const auto found = kWords.find(name);
    return found == kWords.end() ? std::nullopt : std::optional<Word>{found->second};
}

} // namespace orvan
