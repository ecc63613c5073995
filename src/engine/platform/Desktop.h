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

// The programs and top-level windows of the desktop session. What the customer may
// not close (this program and its helpers, the session itself, the desktop shell)
// is never offered and never touched, whatever the caller asks.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Every process that can be inspected.
    virtual std::vector<ProcessEntry> processes() = 0;
    // Visible application windows with a title, of inspectable processes; this
    // program's own windows are never listed.
    virtual std::vector<ProcessEntry> applicationWindows() = 0;
    // One process; process id -1 when it cannot be inspected or touched.
    virtual ProcessEntry processInfo(long processId) = 0;
    // The process that owns the window; 0 when unknown.
    virtual long windowProcess(std::uint64_t window) = 0;
    // Asks the window to close, as its close button would.
    virtual void requestClose(std::uint64_t window) = 0;
    // Right after a close request the program gets a moment to close the window.
    virtual bool windowExists(std::uint64_t window) = 0;
    // Ends the process; false when it cannot be touched.
    virtual bool terminate(long processId) = 0;

    // Claims this program's place for the user and display; false when another copy
    // holds it.
    virtual bool claimSingleInstance() = 0;
    // Starts a program with these arguments, no shell in between, without waiting;
    // what it prints goes to the end of `outputPath`. False when it could not start.
    virtual bool startProgram(const std::vector<std::string>& arguments,
                              const std::string& outputPath) = 0;
};

} // namespace orvan
