#pragma once

#include <string>
#include <sys/types.h>

namespace orvan::winlock {

// A private X server for the tests, on the first free display number; DISPLAY
// names it while it runs. Stopped by its process id.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.empty(); }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace orvan::winlock
