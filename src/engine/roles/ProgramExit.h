#pragma once

namespace orvan {

// Ends the program in order; start-up, at the top, knows how.
class ProgramExit {
public:
    // Closes everything; ends the process when asked. Returns true.
    virtual bool funShutdownApplication(bool endProcess) = 0;

protected:
    ~ProgramExit() = default;
};

} // namespace orvan
