#include "localization/clsResources.h"

#include "base/Utf8.h"

#include <charconv>

namespace orvan {
namespace {

std::optional<long> number(std::string_view text) {
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace

clsResources clsResources::parse(std::string_view fileText) {
    clsResources pack;
    if (fileText.substr(0, 3) == "\xEF\xBB\xBF") {
        fileText.remove_prefix(3);
    }
    std::string section;
    while (!fileText.empty()) {
        const auto end = fileText.find('\n');
        const auto line = withoutLineEnd(fileText.substr(0, end));
        fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = Utf8::lowerAscii(line.substr(1, line.size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const auto key = line.substr(0, equals);
        const auto value = std::string{line.substr(equals + 1)};
        if (section == "strings") {
            if (const auto id = number(key)) {
                pack.texts_[*id] = value;
            }
        } else if (section == "language") {
            const auto name = Utf8::lowerAscii(key);
            if (name == "name") {
                pack.name_ = value;
            } else if (name == "namewestern") {
                pack.nameWestern_ = value;
            } else if (name == "translator") {
                pack.translator_ = value;
            } else if (name == "charset") {
                pack.charset_ = number(value);
            }
        }
    }
    return pack;
}

std::string clsResources::GetResStr(long id) const {
    const auto found = texts_.find(id);
    return found == texts_.end() ? std::string{} : found->second;
}

} // namespace orvan
