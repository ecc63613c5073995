#include "base/ServerAddress.h"

#include "base/Utf8.h"

#include <algorithm>

namespace orvan {
namespace {

constexpr std::size_t kMaxLabel = 63;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLabelCharacter(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || c == '-';
}

template <typename Each>
bool everyPart(std::string_view text, Each each) {
    for (std::size_t start = 0;;) {
        const auto dot = text.find('.', start);
        if (!each(text.substr(start, dot == std::string_view::npos ? dot : dot - start))) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        start = dot + 1;
    }
}

} // namespace

std::string ServerAddress::normalized(std::string_view typed) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!typed.empty() && blank(typed.front())) {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && blank(typed.back())) {
        typed.remove_suffix(1);
    }
    return Utf8::lowerAscii(std::string{typed});
}

bool ServerAddress::isIpv4(std::string_view text) {
    if (std::count(text.begin(), text.end(), '.') != 3) {
        return false;
    }
    return everyPart(text, [](std::string_view part) {
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), isDigit)) {
            return false;
        }
        return std::stoi(std::string{part}) <= 255;
    });
}

bool ServerAddress::isHostName(std::string_view text) {
    if (text.size() > kMaxLength) {
        return false;
    }
    // A name of digits and dots only would be a mistyped address, not a name.
    if (std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || c == '.'; })) {
        return false;
    }
    return everyPart(text, [](std::string_view label) {
        return !label.empty() && label.size() <= kMaxLabel && label.front() != '-' &&
               label.back() != '-' && std::all_of(label.begin(), label.end(), isLabelCharacter);
    });
}

bool ServerAddress::acceptable(std::string_view typed) {
    const auto text = normalized(typed);
    return text.empty() || isIpv4(text) || isHostName(text);
}

} // namespace orvan
