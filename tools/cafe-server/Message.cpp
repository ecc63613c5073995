#include "Message.h"

#include "Tags.h"

#include <cstdio>

namespace orvan::cafe {

namespace {

std::string printable(std::string_view text, std::size_t maxLength) {
    if (text.empty()) {
        return "\"\"";
    }
    std::string shown;
    for (const char c : text.substr(0, maxLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            shown += escaped;
        } else {
            shown.push_back(c);
        }
    }
    if (text.size() > maxLength) {
        shown += "... (" + std::to_string(text.size()) + " bytes)";
    }
    return shown;
}

} // namespace

Message Message::parse(std::string_view text) {
    Message message;
    if (text.size() < Tags::kLength) {
        message.tag = text;
        return message;
    }
    message.tag = text.substr(0, Tags::kLength);
    message.fields = splitFields(text.substr(Tags::kLength));
    return message;
}

std::vector<std::string> Message::splitFields(std::string_view payload) {
    std::vector<std::string> fields;
    while (!payload.empty()) {
        const auto cut = payload.find(Tags::kPayloadToken);
        if (cut == std::string_view::npos) {
            fields.emplace_back(payload);
            break;
        }
        fields.emplace_back(payload.substr(0, cut));
        payload.remove_prefix(cut + Tags::kPayloadToken.size());
    }
    return fields;
}

std::string Message::build(std::string_view tag, const std::vector<std::string>& fields) {
    std::string text{tag};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            text += Tags::kPayloadToken;
        }
        text += fields[i];
    }
    text += Tags::kMessageEnd;
    return text;
}

std::string_view Message::name() const {
    return Tags::nameOf(tag);
}

std::string_view Message::field(std::size_t index) const {
    return index < fields.size() ? std::string_view{fields[index]} : std::string_view{};
}

std::string Message::describe(std::size_t maxField) const {
    std::string line = printable(name(), Tags::kLength);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += i == 0 ? " " : " | ";
        line += printable(fields[i], maxField);
    }
    return line;
}

} // namespace orvan::cafe
