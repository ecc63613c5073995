#pragma once

#include "rtf/RtfCodePageDecoder.h"
#include "rtf/RtfTextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace orvan {

// The fonts a document declares: family name and code page by font number.
//
// Both the count of fonts and the length of a name are capped, so that a hostile
// table cannot make every run carry a huge name or every lookup grow with the input.
class RtfFontTable {
public:
    static constexpr std::size_t kMaxFonts = 1024;
    static constexpr std::size_t kMaxNameUnits = 128;

    // `decoder` may be empty; it must outlive the table.
    explicit RtfFontTable(const RtfCodePageDecoder& decoder);

    // Ends the entry being read, if any, and starts the one of font `number` (read and
    // dropped when the table is full).
    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    // A byte of the name, in the entry's own code page or else `documentCodePage`.
    void appendByte(std::uint8_t byte, int documentCodePage);
    void appendUnit(char32_t unit);
    void endEntry();

    // Empty for a font the table does not have.
    std::string family(int number) const;
    // The entry's code page; nothing when it names none the reader knows.
    std::optional<int> codePage(int number) const;

    // The code page of a character set number, for the sets with one.
    static std::optional<int> codePageOfCharset(int charset);

private:
    struct Entry {
        std::string family;
        std::optional<int> codePage;
    };

    Entry* current();

    std::map<int, Entry> entries_;
    std::optional<int> current_;
    RtfTextBuffer name_;
    std::size_t nameUnits_ = 0;
};

} // namespace orvan
