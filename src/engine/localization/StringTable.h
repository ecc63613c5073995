#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace orvan {

// The program's own string table (ids 0, 1 and 10000-10370): the texts every
// window and message falls back to when no language pack answers.
class StringTable {
public:
    // Text of `id`, or an empty view when the table has no such id.
    static std::string_view text(int id);
    static bool contains(int id);
    // Text of `id`, or nothing when the table has no such id (one search for both).
    static std::optional<std::string_view> find(int id);
    // Every id of the table, in ascending order.
    static std::vector<int> ids();
};

} // namespace orvan
