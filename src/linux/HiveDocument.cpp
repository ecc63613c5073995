#include "HiveDocument.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace orvan {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kDwordPrefix = "dword:";
// A file of binary junk must not flood the log.
constexpr std::size_t kMaxProblemsPerFile = 20;
constexpr std::size_t kExcerptBytes = 60;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// Length of the well-formed UTF-8 sequence starting at s[i], or 0 when there is none
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() - i < length || at(i + 1) < low || at(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = utf8SequenceLength(s, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = lowerAscii(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

void appendHexEscape(std::string& out, unsigned char byte) {
    constexpr std::string_view digits = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

// Escapes whatever would break the line or the file's UTF-8, so that any byte
// string, not only text, comes back as it was written.
std::string quote(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\' || byte == '"') {
            out += '\\';
            out += text[i++];
        } else if (isControl(byte)) {
            appendHexEscape(out, byte);
            ++i;
        } else if (const std::size_t length = utf8SequenceLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            appendHexEscape(out, byte);
            ++i;
        }
    }
    out += '"';
    return out;
}

// Reads the quoted string starting at line[pos] == '"' and leaves pos past its
// closing quote.
std::optional<std::string> unquote(std::string_view line, std::size_t& pos, std::string& error) {
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos == line.size()) {
            break;
        }
        const char escaped = line[pos];
        if (escaped == '\\' || escaped == '"') {
            out += escaped;
        } else if (escaped == 'x' && line.size() - pos > 2 && hexDigit(line[pos + 1]) >= 0 &&
                   hexDigit(line[pos + 2]) >= 0) {
            out += static_cast<char>(hexDigit(line[pos + 1]) * 16 + hexDigit(line[pos + 2]));
            pos += 2;
        } else {
            error = "invalid escape";
            return std::nullopt;
        }
    }
    error = "unterminated string";
    return std::nullopt;
}

std::optional<SettingValue> parseData(std::string_view data, std::string& error) {
    if (data.empty()) {
        error = "no data after '='";
        return std::nullopt;
    }
    if (data.front() == '"') {
        std::size_t pos = 0;
        auto text = unquote(data, pos, error);
        if (text && pos != data.size()) {
            error = "text after the closing quote";
            return std::nullopt;
        }
        return text ? std::optional<SettingValue>(std::move(*text)) : std::nullopt;
    }
    if (startsWithIgnoreCase(data, kDwordPrefix)) {
        const std::string_view digits = data.substr(kDwordPrefix.size());
        if (digits.empty()) {
            error = "dword without digits";
            return std::nullopt;
        }
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return hexDigit(c) >= 0; })) {
            error = "dword with a non-hex digit";
            return std::nullopt;
        }
        if (digits.size() > 8) {
            error = "dword with more than 8 digits";
            return std::nullopt;
        }
        std::uint32_t number = 0;
        for (char c : digits) {
            number = number * 16 + static_cast<std::uint32_t>(hexDigit(c));
        }
        return SettingValue(number);
    }
    const auto colon = data.find(':');
    error = colon == std::string_view::npos
                ? "unknown value type"
                : "unsupported value type " +
                      std::string(data.substr(0, std::min(colon, std::size_t{16})));
    return std::nullopt;
}

// The start of a bad line, made safe to print on one log line.
std::string excerpt(std::string_view line) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        if (out.size() >= kExcerptBytes) {
            return out + "...";
        }
        const auto byte = static_cast<unsigned char>(line[i]);
        const std::size_t length = isControl(byte) ? 0 : utf8SequenceLength(line, i);
        if (length == 0) {
            appendHexEscape(out, byte);
            ++i;
        } else {
            out.append(line.substr(i, length));
            i += length;
        }
    }
    return out;
}

} // namespace

bool HiveDocument::isValidKey(std::string_view key) {
    if (key.empty() || key.front() == '\\' || key.back() == '\\' ||
        key.find("\\\\") != std::string_view::npos) {
        return false;
    }
    return std::none_of(key.begin(), key.end(),
                        [](char c) { return isControl(static_cast<unsigned char>(c)); }) &&
           isValidUtf8(key);
}

HiveDocument HiveDocument::parse(std::string_view text, std::string_view root,
                                 const std::string& path, std::vector<std::string>& problems) {
    std::size_t problemCount = 0;
    const auto report = [&](std::size_t lineNumber, const std::string& what,
                            std::string_view line) {
        if (++problemCount <= kMaxProblemsPerFile) {
            problems.push_back(path + ":" + std::to_string(lineNumber) + ": " + what +
                               (line.empty() ? "" : ": " + excerpt(line)));
        }
    };

    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    HiveDocument document;
    // Lines under a section header that could not be understood belong to no known
    // key; the header's problem covers them.
    enum class Section { None, Ignored, Open } section = Section::None;
    std::string currentKey;
    bool headerSeen = false;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        line = trim(line);
        if (line.empty()) {
            continue;
        }
        if (!headerSeen) {
            headerSeen = true;
            if (equalsIgnoreCase(line, kHeader)) {
                continue;
            }
            report(lineNumber, "missing header line", line);
        }

        if (line.front() == '[') {
            section = Section::Ignored;
            if (line.back() != ']') {
                report(lineNumber, "section header without ']'", line);
                continue;
            }
            const std::string_view name = line.substr(1, line.size() - 2);
            if (!startsWithIgnoreCase(name, root) || name.size() <= root.size() ||
                name[root.size()] != '\\') {
                report(lineNumber, "section outside " + std::string(root), line);
            } else if (const auto key = name.substr(root.size() + 1); !isValidKey(key)) {
                report(lineNumber, "invalid key name", line);
            } else {
                section = Section::Open;
                if (!document.findKey(key)) {
                    document.addKey(key);
                }
                currentKey = key;
            }
            continue;
        }
        if (section == Section::Ignored) {
            continue;
        }
        if (!isValidUtf8(line)) {
            report(lineNumber, "invalid UTF-8", line);
            continue;
        }
        if (section == Section::None) {
            report(lineNumber, "line before any section header", line);
            continue;
        }
        if (line.front() != '"') {
            report(lineNumber, "neither a section header nor a value", line);
            continue;
        }
        std::string error;
        std::size_t pos = 0;
        auto name = unquote(line, pos, error);
        if (!name) {
            report(lineNumber, error + " in the value name", line);
            continue;
        }
        const std::string_view rest = trim(line.substr(pos));
        if (rest.empty() || rest.front() != '=') {
            report(lineNumber, "no '=' after the value name", line);
            continue;
        }
        auto data = parseData(trim(rest.substr(1)), error);
        if (!data) {
            report(lineNumber, error, line);
            continue;
        }
        document.set(currentKey, *name, *data);
    }
    if (!headerSeen) {
        report(1, "empty file", {});
    }
    if (problemCount > kMaxProblemsPerFile) {
        problems.push_back(path + ": " + std::to_string(problemCount - kMaxProblemsPerFile) +
                           " more problems not listed");
    }
    return document;
}

std::string HiveDocument::format(std::string_view root) const {
    std::string out(kHeader);
    out += "\n\n";
    for (const Key& key : keys_) {
        out += '[';
        out += root;
        out += '\\';
        out += key.path;
        out += "]\n";
        for (const Value& value : key.values) {
            out += quote(value.name);
            out += '=';
            if (const auto* number = std::get_if<std::uint32_t>(&value.data)) {
                char digits[9];
                std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(*number));
                out += kDwordPrefix;
                out += digits;
            } else {
                out += quote(std::get<std::string>(value.data));
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

const SettingValue* HiveDocument::find(std::string_view key, std::string_view name) const {
    const Key* found = findKey(key);
    if (!found) {
        return nullptr;
    }
    for (const Value& value : found->values) {
        if (equalsIgnoreCase(value.name, name)) {
            return &value.data;
        }
    }
    return nullptr;
}

bool HiveDocument::keyExists(std::string_view key) const {
    return std::any_of(keys_.begin(), keys_.end(), [&](const Key& stored) {
        return startsWithIgnoreCase(stored.path, key) &&
               (stored.path.size() == key.size() || stored.path[key.size()] == '\\');
    });
}

bool HiveDocument::set(std::string_view key, std::string_view name, const SettingValue& value) {
    Key* found = findKey(key);
    Key& target = found ? *found : addKey(key);
    for (Value& stored : target.values) {
        if (equalsIgnoreCase(stored.name, name)) {
            if (stored.data == value) {
                return false;
            }
            stored.data = value;
            return true;
        }
    }
    target.values.push_back({std::string(name), value});
    return true;
}

bool HiveDocument::remove(std::string_view key, std::string_view name) {
    Key* found = findKey(key);
    if (!found) {
        return false;
    }
    const auto erased = std::erase_if(
        found->values, [&](const Value& stored) { return equalsIgnoreCase(stored.name, name); });
    return erased > 0;
}

HiveDocument::Key* HiveDocument::findKey(std::string_view key) {
    return const_cast<Key*>(std::as_const(*this).findKey(key));
}

const HiveDocument::Key* HiveDocument::findKey(std::string_view key) const {
    const auto it = std::find_if(keys_.begin(), keys_.end(), [&](const Key& stored) {
        return equalsIgnoreCase(stored.path, key);
    });
    return it == keys_.end() ? nullptr : &*it;
}

HiveDocument::Key& HiveDocument::addKey(std::string_view key) {
    return keys_.emplace_back(Key{std::string(key), {}});
}

} // namespace orvan
