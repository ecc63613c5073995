#pragma once

#include <string>

namespace orvan::winlock {

// Where the library's failure reports go. The host may install its own function;
// reports come from the calling thread and from the watcher thread alike.
class LogSink {
public:
    using Function = void (*)(const char* line);

    static void set(Function sink);
    static void report(const std::string& line);
};

} // namespace orvan::winlock
