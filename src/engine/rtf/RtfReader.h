#pragma once

#include "rtf/RtfCodePageDecoder.h"
#include "rtf/RtfReadResult.h"

#include <cstddef>
#include <string_view>

namespace orvan {

// Reads the rich text a word processor saves into the neutral document model: groups
// and their formatting, paragraphs and their alignment, bold, italic, underline, font
// family and size, text colour, \'hh bytes in the document's or the font's code page,
// and \uN characters with their fallbacks. Everything else (pictures, objects, headers,
// document properties, field instructions, unknown starred destinations) is passed
// over without leaving text behind, and so is text marked hidden.
//
// Bad input takes the failure path and never more than linear time: no header, too
// large or too deeply nested input is refused; input that ends inside a group keeps
// what was read and is marked truncated, since a message cut short still says more
// than none; text after the outermost group is ignored.
class RtfReader {
public:
    static constexpr std::size_t kMaxInputBytes = 32 * 1024 * 1024;
    // Groups open at once, the outermost included.
    static constexpr std::size_t kMaxDepth = 256;

    // Without `decoder`, or where it fails, code pages other than 874 and 1252 are
    // read as 1252.
    explicit RtfReader(RtfCodePageDecoder decoder = {});

    RtfReadResult read(std::string_view rtf) const;

private:
    RtfCodePageDecoder decoder_;
};

} // namespace orvan
