#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvan {

// What the lock screen keeps of a rich-text message: paragraphs of formatted runs,
// neutral enough for any front end to render.

enum class RtfAlignment { Left, Centre, Right, Justified };

struct RtfColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const RtfColour&) const = default;
};

struct RtfTextFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Empty: the front end's default font.
    std::string fontFamily;
    double sizePoints = 12.0;
    // Nothing: the front end's default text colour.
    std::optional<RtfColour> colour;

    bool operator==(const RtfTextFormat&) const = default;
};

// UTF-8 text in one format. A line break inside the paragraph is "\n", a tab "\t".
struct RtfRun {
    std::string text;
    RtfTextFormat format;

    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;

    // The text of every paragraph, each ended by "\n" but the last.
    std::string plainText() const;
};

} // namespace orvan
