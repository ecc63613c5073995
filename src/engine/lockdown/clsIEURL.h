#pragma once

#include <cstdint>
#include <string>

namespace orvan {

// The last address reported for one browser window.
struct clsIEURL {
    std::uint64_t WindowhWnd = 0;
    std::string URL;
    std::string Caption;
    bool StillOpen = false; // found again in the current pass
};

} // namespace orvan
