#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orvan {

// Building and cutting the tagged text messages.
class WireFormat {
public:
    // The fields of `text` between separators; a trailing separator adds no empty field.
    // Empty text or separator gives no fields.
    static std::vector<std::string> funSplit(std::string_view text, std::string_view separator);
    // Tag + payload + end tag.
    static std::string message(std::string_view tag, std::string_view payload = {});
    // Tag + fields joined by the payload token + end tag.
    static std::string message(std::string_view tag,
                               std::initializer_list<std::string_view> fields);
    // A tag for a name: "%$&", the name right-aligned in 16 characters filled with "#",
    // and "#". Empty when the name is longer than 16 characters.
    static std::string tagFor(std::string_view name);
};

} // namespace orvan
