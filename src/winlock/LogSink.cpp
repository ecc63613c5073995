#include "LogSink.h"

#include <atomic>
#include <cstdio>

namespace orvan::winlock {

namespace {
std::atomic<LogSink::Function> installed{nullptr};
} // namespace

void LogSink::set(Function sink) {
    installed.store(sink);
}

void LogSink::report(const std::string& line) {
    if (const auto sink = installed.load(); sink != nullptr) {
        sink(line.c_str());
        return;
    }
    std::fprintf(stderr, "winlock: %s\n", line.c_str());
}

} // namespace orvan::winlock
