#include "rtf/RtfFontTable.h"

#include <array>
#include <string_view>
#include <utility>

namespace orvan {
namespace {

struct CharsetPage {
    int charset;
    int codePage;
};

constexpr std::array<CharsetPage, 15> kCharsetPages{{
    {0, 1252},
    {128, 932},
    {129, 949},
    {130, 1361},
    {134, 936},
    {136, 950},
    {161, 1253},
    {162, 1254},
    {163, 1258},
    {177, 1255},
    {178, 1256},
    {186, 1257},
    {204, 1251},
    {222, 874},
    {238, 1250},
}};

std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace

RtfFontTable::RtfFontTable(const RtfCodePageDecoder& decoder)
    : name_(decoder) {}

void RtfFontTable::beginEntry(int number) {
    endEntry();
    if (entries_.size() >= kMaxFonts && !entries_.contains(number)) {
        return;
    }
    entries_[number] = {};
    current_ = number;
}

void RtfFontTable::setCharset(int charset) {
    // An explicit code page wins, whichever of the two comes first.
    if (auto* entry = current(); entry != nullptr && !entry->codePage) {
        entry->codePage = codePageOfCharset(charset);
    }
}

void RtfFontTable::setCodePage(int codePage) {
    if (auto* entry = current(); entry != nullptr && codePage > 0) {
        entry->codePage = codePage;
    }
}

void RtfFontTable::appendByte(std::uint8_t byte, int documentCodePage) {
    if (auto* entry = current(); entry != nullptr && nameUnits_ < kMaxNameUnits) {
        name_.appendByte(byte, entry->codePage.value_or(documentCodePage));
        ++nameUnits_;
    }
}

void RtfFontTable::appendUnit(char32_t unit) {
    if (current() != nullptr && nameUnits_ < kMaxNameUnits) {
        name_.appendUnit(unit);
        ++nameUnits_;
    }
}

void RtfFontTable::endEntry() {
    if (auto* entry = current()) {
        entry->family = trimmed(name_.take());
    }
    current_.reset();
    nameUnits_ = 0;
}

std::string RtfFontTable::family(int number) const {
    const auto found = entries_.find(number);
    return found == entries_.end() ? std::string{} : found->second.family;
}

std::optional<int> RtfFontTable::codePage(int number) const {
    const auto found = entries_.find(number);
    return found == entries_.end() ? std::nullopt : found->second.codePage;
}

std::optional<int> RtfFontTable::codePageOfCharset(int charset) {
    for (const auto& known : kCharsetPages) {
        if (known.charset == charset) {
            return known.codePage;
        }
    }
    return std::nullopt;
}

RtfFontTable::Entry* RtfFontTable::current() {
    if (!current_) {
        return nullptr;
    }
    const auto found = entries_.find(*current_);
    return found == entries_.end() ? nullptr : &found->second;
}

} // namespace orvan
