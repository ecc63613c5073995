#pragma once

#include "base/AppVersion.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orvan {

class Clock;
class FileSystem;
class SystemInfo;

// The plain-text log: one line per call, opened and closed for each line so that no
// handle is kept and every line is on disk when the program dies. A full log rolls
// over into one older copy beside it, so the two never take more than twice the limit.
class Log {
public:
    // About 40,000 lines: weeks of a busy workstation's errors, and still small on disk.
    static constexpr std::uint64_t kMaxLogBytes = std::uint64_t{4} << 20;
    static constexpr const char* kOlderCopySuffix = ".1";

    Log(const Clock& clock, FileSystem& files, const SystemInfo& system,
        AppVersion version = AppVersion::current());

    // Appends `message` to `path`, or to the log file when `path` is empty. A new
    // file starts with its two-line header; a line that would take the file over the
    // limit first moves it to "<path>.1", replacing the older copy.
    void subWriteLog(const std::string& message, const std::string& path = {});
    // A trace hook for step names: in debug mode once the log file is chosen, writes
    // "Trace: <text> - <stamp> <program>" to the log. Otherwise nothing is composed at
    // all: every error report passes here.
    void subTrace(const std::string& text);
    void setTraceToLog(bool enabled) { traceToLog_ = enabled; }
    // UTC "YYMMDD.HHMMSS.mmm".
    std::string funLogTimeStamp() const;

    void setLogFile(std::string path) { strLogFile_ = std::move(path); }
    const std::string& logFile() const { return strLogFile_; }
    // Where lines go before start-up has chosen the log file.
    std::string fallbackPath() const;
    // Where the next line goes.
    std::string currentPath() const { return strLogFile_.empty() ? fallbackPath() : strLogFile_; }
    // Shown when a line cannot be written (with the path that failed).
    void setWriteFailureHandler(std::function<void(const std::string&)> handler) {
        onWriteFailure_ = std::move(handler);
    }

private:
    std::string header() const;
    void rollOverIfFull(const std::string& path, std::uint64_t adding);

    const Clock& clock_;
    FileSystem& files_;
    const SystemInfo& system_;
    AppVersion version_;
    std::string strLogFile_;
    std::function<void(const std::string&)> onWriteFailure_;
    bool traceToLog_ = false;
};

} // namespace orvan
