#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace orvan::winlock {

// A private X server for the tests, on the first free display number; DISPLAY
// names it while it runs. Stopped by its process id.
class XvfbServer {
public:
    // Further arguments reach the server as they are (say, an extension to leave out).
    explicit XvfbServer(const std::vector<std::string>& arguments = {});
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.empty(); }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace orvan::winlock
