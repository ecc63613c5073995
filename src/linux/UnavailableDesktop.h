#pragma once

#include "platform/Desktop.h"

namespace orvan {

// Stands in until the desktop adapter is built: it sees no program and touches none,
// so closing applications is a safe no-op.
class UnavailableDesktop : public Desktop {
public:
    std::vector<ProcessEntry> processes() override { return {}; }
    std::vector<ProcessEntry> applicationWindows() override { return {}; }
    void requestClose(std::uint64_t /*window*/) override {}
    bool windowExists(std::uint64_t /*window*/) override { return false; }
    bool terminate(long /*processId*/) override { return false; }
};

} // namespace orvan
