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
    // Whether `field` holds the end tag or the payload token, at which the server cuts
    // messages and fields: such a field would end the message early or add fields.
    static bool holdsMarker(std::string_view field);
    // Tag + payload + end tag. Throws (invalid call) when the payload holds a marker,
    // so that no field can smuggle a message of its own to the server.
    static std::string message(std::string_view tag, std::string_view payload = {});
    // Tag + fields joined by the payload token + end tag; refuses a field holding a
    // marker in the same way.
    static std::string message(std::string_view tag,
                               std::initializer_list<std::string_view> fields);
    // The same messages appended to `out`, for reports of several messages built without
    // a temporary per message. On a refused field `out` is left as it was.
    static void append(std::string& out, std::string_view tag, std::string_view payload = {});
    static void append(std::string& out, std::string_view tag,
                       std::initializer_list<std::string_view> fields);
    // A tag for a name: "%$&", the name right-aligned in 16 characters filled with "#",
    // and "#". Empty when the name is longer than 16 characters.
    static std::string tagFor(std::string_view name);
};

} // namespace orvan
