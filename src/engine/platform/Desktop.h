#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvan {

// A running program, or one of its application windows.
struct ProcessEntry {
    long processId = 0;     // 0 when only the window is known; -1 when not inspectable
    std::string executable; // file name of the program
    std::string path;       // full path of the program
    std::string title;      // window title (window lists only)
    std::uint64_t window = 0;
};

// The programs and top-level windows of the desktop session.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Every process that can be inspected.
    virtual std::vector<ProcessEntry> processes() = 0;
    // Visible application windows with a title, of inspectable processes; this
    // program's own windows are never listed.
    virtual std::vector<ProcessEntry> applicationWindows() = 0;
    // Asks the window to close, as its close button would.
    virtual void requestClose(std::uint64_t window) = 0;
    virtual bool windowExists(std::uint64_t window) = 0;
    // Ends the process; false when it cannot be touched.
    virtual bool terminate(long processId) = 0;
};

} // namespace orvan
