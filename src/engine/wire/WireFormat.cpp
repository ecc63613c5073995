#include "wire/WireFormat.h"

#include "base/AppError.h"
#include "wire/Tags.h"

namespace orvan {

std::vector<std::string> WireFormat::funSplit(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    if (text.empty() || separator.empty()) {
        return fields;
    }
    std::size_t from = 0;
    while (from < text.size()) {
        const auto at = text.find(separator, from);
        if (at == std::string_view::npos) {
            break;
        }
        fields.emplace_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    if (from < text.size()) {
        fields.emplace_back(text.substr(from));
    }
    return fields;
}

bool WireFormat::holdsMarker(std::string_view field) {
    // Both markers start alike; most fields (numbers, names) lack even their first byte.
    static_assert(tags::kMessageEnd[0] == tags::kPayloadToken[0]);
    if (field.find(tags::kMessageEnd[0]) == std::string_view::npos) {
        return false;
    }
    return field.find(tags::kMessageEnd) != std::string_view::npos ||
           field.find(tags::kPayloadToken) != std::string_view::npos;
}

std::string WireFormat::message(std::string_view tag, std::string_view payload) {
    std::string text;
    append(text, tag, {payload});
    return text;
}

std::string WireFormat::message(std::string_view tag,
                                std::initializer_list<std::string_view> fields) {
    std::string text;
    append(text, tag, fields);
    return text;
}

void WireFormat::append(std::string& out, std::string_view tag, std::string_view payload) {
    append(out, tag, {payload});
}

void WireFormat::append(std::string& out, std::string_view tag,
                        std::initializer_list<std::string_view> fields) {
    std::size_t size = tag.size() + tags::kMessageEnd.size();
    for (const auto field : fields) {
        if (holdsMarker(field)) {
            // Neither escaped nor cut: the server would misread either. The caller's trap
            // logs it.
            throw AppError(AppError::kInvalidCall,
                           "Outbound field holds a wire marker, not sent: " + std::string{tag});
        }
        size += field.size() + tags::kPayloadToken.size();
    }
    out.reserve(out.size() + size);
    out.append(tag);
    bool first = true;
    for (const auto field : fields) {
        if (!first) {
            out.append(tags::kPayloadToken);
        }
        out.append(field);
        first = false;
    }
    out.append(tags::kMessageEnd);
}

std::string WireFormat::tagFor(std::string_view name) {
    constexpr std::size_t kNameWidth = 16;
    if (name.size() > kNameWidth) {
        return {};
    }
    return "%$&" + std::string(kNameWidth - name.size(), '#') + std::string{name} + "#";
}

} // namespace orvan
