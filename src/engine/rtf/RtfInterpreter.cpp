#include "rtf/RtfInterpreter.h"

#include <algorithm>

namespace orvan {
namespace {

using Action = RtfControlWords::Action;

constexpr int kDefaultHalfPoints = 24;
// One point to the largest size word processors offer.
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr char32_t kReplacement = 0xFFFD;

// \uN takes a signed 16-bit number for units above 0x7FFF; some writers give code
// points beyond the surrogates directly.
char32_t unitOf(std::int32_t parameter) {
    if (parameter < 0) {
        return parameter >= -32768 ? static_cast<char32_t>(parameter + 65536) : kReplacement;
    }
    return parameter <= 0x10FFFF ? static_cast<char32_t>(parameter) : kReplacement;
}

bool isOn(const RtfToken& token) {
    return !token.hasParameter || token.parameter != 0;
}

} // namespace

RtfInterpreter::RtfInterpreter(std::string_view rtf, const RtfCodePageDecoder& decoder,
                               std::size_t maxDepth)
    : lexer_(rtf)
    , maxDepth_(maxDepth)
    , fonts_(decoder)
    , builder_(decoder) {}

RtfReadResult RtfInterpreter::run() {
    for (;;) {
        const RtfToken token = lexer_.next();
        switch (token.kind) {
        case RtfToken::Kind::End:
            return finish(true);
        case RtfToken::Kind::GroupStart:
            if (!openGroup()) {
                return RtfReadResult::refused(RtfReadResult::Refusal::TooDeep);
            }
            break;
        case RtfToken::Kind::GroupEnd:
            if (closeGroup()) {
                return finish(false);
            }
            break;
        case RtfToken::Kind::ControlWord:
            controlWord(token);
            break;
        case RtfToken::Kind::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case RtfToken::Kind::HexByte:
            hexByte(token.byte);
            break;
        case RtfToken::Kind::Text:
            for (const char byte : token.text) {
                textByte(static_cast<std::uint8_t>(byte));
            }
            break;
        }
    }
}

bool RtfInterpreter::openGroup() {
    if (groups_.size() >= maxDepth_) {
        return false;
    }
    // A fallback never reaches across a brace.
    fallbackLeft_ = 0;
    groups_.push_back(groups_.empty() ? Group{} : top());
    return true;
}

// True when the outermost group closed; its state stays for finish().
bool RtfInterpreter::closeGroup() {
    fallbackLeft_ = 0;
    if (groups_.size() == 1) {
        return true;
    }
    const Destination left = top().destination;
    groups_.pop_back();
    if (left == Destination::FontTable || left == Destination::ColourTable) {
        fonts_.endEntry();
        formatOf_.reset();
    }
    return false;
}

RtfReadResult RtfInterpreter::finish(bool truncated) {
    RtfReadResult result;
    result.document = builder_.finish(top().alignment);
    result.truncated = truncated;
    return result;
}

void RtfInterpreter::controlWord(const RtfToken& token) {
    const auto word = RtfControlWords::find(token.text);
    // Binary data is passed over in any destination: read as text it could hold braces.
    if (word && word->action == Action::Binary) {
        skipFallback();
        lexer_.skipBytes(token.hasParameter ? token.parameter : 0);
        return;
    }
    if (skipFallback() || !word || top().destination == Destination::Skipped) {
        return;
    }
    if (word->action == Action::SkippedDestination) {
        top().destination = Destination::Skipped;
        return;
    }
    if (word->action == Action::UnicodeSkip) {
        top().unicodeSkip = token.hasParameter ? std::max(0, token.parameter) : 1;
        return;
    }
    switch (top().destination) {
    case Destination::Body:
        bodyWord(*word, token);
        break;
    case Destination::FontTable:
        fontTableWord(word->action, token);
        break;
    case Destination::ColourTable:
        colourTableWord(word->action, token);
        break;
    case Destination::Skipped:
        break;
    }
}

void RtfInterpreter::bodyWord(RtfControlWords::Word word, const RtfToken& token) {
    Character& character = top().character;
    const std::int32_t parameter = token.parameter;
    switch (word.action) {
    case Action::AnsiCodePage:
        if (parameter > 0) {
            documentCodePage_ = parameter;
            formatOf_.reset();
        }
        break;
    case Action::DefaultFont:
        if (token.hasParameter) {
            defaultFont_ = parameter;
            formatOf_.reset();
        }
        break;
    case Action::FontTable:
        top().destination = Destination::FontTable;
        break;
    case Action::ColourTable:
        top().destination = Destination::ColourTable;
        break;
    case Action::Font:
        if (token.hasParameter) {
            character.font = parameter;
        }
        break;
    case Action::Plain:
        character = {};
        break;
    case Action::Bold:
        character.bold = isOn(token);
        break;
    case Action::Italic:
        character.italic = isOn(token);
        break;
    case Action::Underline:
        character.underline = isOn(token);
        break;
    case Action::UnderlineNone:
        character.underline = false;
        break;
    case Action::Hidden:
        character.hidden = isOn(token);
        break;
    case Action::FontSize:
        character.halfPoints = token.hasParameter && parameter > 0
                                   ? std::clamp(parameter, kMinHalfPoints, kMaxHalfPoints)
                                   : kDefaultHalfPoints;
        break;
    case Action::ForegroundColour:
        character.colour = parameter;
        break;
    case Action::ParagraphDefault:
    case Action::AlignLeft:
        top().alignment = RtfAlignment::Left;
        break;
    case Action::AlignCentre:
        top().alignment = RtfAlignment::Centre;
        break;
    case Action::AlignRight:
        top().alignment = RtfAlignment::Right;
        break;
    case Action::AlignJustified:
        top().alignment = RtfAlignment::Justified;
        break;
    case Action::ParagraphEnd:
        builder_.endParagraph(top().alignment);
        break;
    case Action::Character:
        appendUnit(word.character);
        break;
    case Action::Unicode:
        unicode(token);
        break;
    default:
        break;
    }
}

void RtfInterpreter::fontTableWord(RtfControlWords::Action action, const RtfToken& token) {
    if (action == Action::Unicode) {
        unicode(token);
        return;
    }
    if (!token.hasParameter) {
        return;
    }
    switch (action) {
    case Action::Font:
        fonts_.beginEntry(token.parameter);
        break;
    case Action::FontCharset:
        fonts_.setCharset(token.parameter);
        break;
    case Action::FontCodePage:
        fonts_.setCodePage(token.parameter);
        break;
    default:
        break;
    }
}

void RtfInterpreter::colourTableWord(RtfControlWords::Action action, const RtfToken& token) {
    switch (action) {
    case Action::Red:
        colours_.setRed(token.parameter);
        break;
    case Action::Green:
        colours_.setGreen(token.parameter);
        break;
    case Action::Blue:
        colours_.setBlue(token.parameter);
        break;
    default:
        break;
    }
}

void RtfInterpreter::controlSymbol(char symbol) {
    if (skipFallback() || top().destination == Destination::Skipped) {
        return;
    }
    // An unknown destination marked ignorable: all of them are, here.
    if (symbol == '*') {
        top().destination = Destination::Skipped;
        return;
    }
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        putByte(static_cast<std::uint8_t>(symbol));
        return;
    }
    if (top().destination != Destination::Body) {
        return;
    }
    switch (symbol) {
    case '~':
        appendUnit(0x00A0); // no-break space
        break;
    case '-':
        appendUnit(0x00AD); // soft hyphen, shown only where the line breaks
        break;
    case '_':
        appendUnit(0x2011); // no-break hyphen
        break;
    case '\n':
        builder_.endParagraph(top().alignment);
        break;
    default:
        break;
    }
}

// A byte as it stands in the text: ";" ends a table entry.
void RtfInterpreter::textByte(std::uint8_t byte) {
    if (skipFallback()) {
        return;
    }
    if (byte == ';' && top().destination == Destination::FontTable) {
        fonts_.endEntry();
    } else if (byte == ';' && top().destination == Destination::ColourTable) {
        colours_.endEntry();
    } else {
        putByte(byte);
    }
}

// A byte written as \'hh: never a separator.
void RtfInterpreter::hexByte(std::uint8_t byte) {
    if (!skipFallback()) {
        putByte(byte);
    }
}

void RtfInterpreter::putByte(std::uint8_t byte) {
    switch (top().destination) {
    case Destination::Body:
        appendByte(byte);
        break;
    case Destination::FontTable:
        fonts_.appendByte(byte, documentCodePage_);
        break;
    case Destination::ColourTable:
    case Destination::Skipped:
        break;
    }
}

void RtfInterpreter::unicode(const RtfToken& token) {
    if (!token.hasParameter) {
        return;
    }
    const char32_t unit = unitOf(token.parameter);
    if (top().destination == Destination::FontTable) {
        fonts_.appendUnit(unit);
    } else {
        appendUnit(unit);
    }
    fallbackLeft_ = top().unicodeSkip;
}

bool RtfInterpreter::skipFallback() {
    if (fallbackLeft_ <= 0) {
        return false;
    }
    --fallbackLeft_;
    return true;
}

void RtfInterpreter::appendByte(std::uint8_t byte) {
    if (top().character.hidden) {
        return;
    }
    syncFormat();
    builder_.appendByte(byte, codePage_);
}

void RtfInterpreter::appendUnit(char32_t unit) {
    if (top().character.hidden) {
        return;
    }
    syncFormat();
    builder_.appendUnit(unit);
}

void RtfInterpreter::syncFormat() {
    const Character& character = top().character;
    if (formatOf_ == character) {
        return;
    }
    formatOf_ = character;
    const int font = fontOf(character);
    builder_.setFormat({.bold = character.bold,
                        .italic = character.italic,
                        .underline = character.underline,
                        .fontFamily = fonts_.family(font),
                        .sizePoints = character.halfPoints / 2.0,
                        .colour = colours_.colour(character.colour)});
    codePage_ = fonts_.codePage(font).value_or(documentCodePage_);
}

int RtfInterpreter::fontOf(const Character& character) const {
    return character.font >= 0 ? character.font : defaultFont_;
}

} // namespace orvan
