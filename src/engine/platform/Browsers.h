#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvan {

// A web browser or file-manager window and what it shows.
struct BrowserWindow {
    std::uint64_t window = 0;
    std::string caption;
    std::string address; // empty when the address cannot be read
};

// Finds the open browser windows of the desktop session.
class Browsers {
public:
    virtual ~Browsers() = default;

    virtual std::vector<BrowserWindow> browserWindows() = 0;
};

} // namespace orvan
