#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvan {

// Decodes bytes in an ANSI code page the reader has no table of (a double-byte page
// gets lead and trail bytes together). Gives UTF-8, or nothing when it cannot.
using RtfCodePageDecoder =
    std::function<std::optional<std::string>(std::string_view bytes, int codePage)>;

} // namespace orvan
