#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// One message of the wire: a 20-character tag and the fields of its payload.
class Message {
public:
    std::string tag;
    std::vector<std::string> fields;

    // Reads a message whose end tag has already been cut off.
    static Message parse(std::string_view text);

    // Splits a payload at the separator tag. A separator closing the last field adds no
    // empty field, because the workstation closes some payloads that way.
    static std::vector<std::string> splitFields(std::string_view payload);

    // Tag, fields joined by the separator tag, end tag.
    static std::string build(std::string_view tag, const std::vector<std::string>& fields = {});

    std::string_view name() const;
    std::string_view field(std::size_t index) const;

    // One readable line: the tag name, then the fields separated by " | ", each trimmed to
    // `maxField` bytes, control bytes escaped so that a payload cannot break the line.
    std::string describe(std::size_t maxField = 60) const;
};

} // namespace orvan::cafe
