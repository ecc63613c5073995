#pragma once

#include <string_view>

namespace orvan {

class WireNumbers;

// The check a stored session snapshot passes before it is handed to the server: the
// settings can be edited by hand, and what goes out must be what the snapshot's format
// allows, never text of someone's choosing.
class StoredSnapshot {
public:
    // Fields 0 and 1 whole numbers, 2 to 6 numbers; type 1 adds a number, types 2 and 4
    // a login and a number; other types end after field 6. A snapshot written at the full
    // length may have been cut: its last field may then be short or missing.
    static bool wellFormed(std::string_view stored, const WireNumbers& numbers);

private:
    static bool wholeNumber(std::string_view field, long limit);
    static bool number(std::string_view field, const WireNumbers& numbers);
    static bool numberCharacters(std::string_view field);
};

} // namespace orvan
