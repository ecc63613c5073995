#include "base/Log.h"

#include "base/DateSerial.h"
#include "base/DateText.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"

#include <cstdio>

namespace orvan {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

// A message may carry what a customer or the server chose (a stored snapshot, a message
// text): its line breaks would forge whole lines with another stamp. Control characters
// are written as \xNN, so every line of the file is one line the client wrote.
std::string oneLine(const std::string& message) {
    std::string out;
    out.reserve(message.size());
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

Log::Log(const Clock& clock, FileSystem& files, const SystemInfo& system, AppVersion version)
    : clock_(clock)
    , files_(files)
    , system_(system)
    , version_(version) {}

std::string Log::funLogTimeStamp() const {
    const auto t = DateSerial::partsOfUnixMillis(clock_.utcMillis());
    char millis[8];
    std::snprintf(millis, sizeof millis, "%03d", t.millisecond);
    return twoDigits(t.year) + twoDigits(t.month) + twoDigits(t.day) + "." + twoDigits(t.hour) +
           twoDigits(t.minute) + twoDigits(t.second) + "." + millis;
}

std::string Log::fallbackPath() const {
    return system_.programFolder() + "/" + system_.programFileName() + ".log";
}

std::string Log::header() const {
    const double now = DateSerial::fromUnixMillis(clock_.utcMillis() + clock_.utcOffsetMillis());
    const DateText format{system_.shortDatePattern(), system_.longTimePattern()};
    return system_.programFileName() + " Log file." + kLineEnd +
           "Creation date: " + format.generalDate(now) + kLineEnd + kLineEnd;
}

void Log::subWriteLog(const std::string& message, const std::string& path) {
    const std::string target = path.empty() ? currentPath() : path;
    std::string line;
    if (!message.empty()) {
        line = system_.programFileName() + " " + version_.text() + " " + funLogTimeStamp() + " - " +
               oneLine(message);
    }
    line += kLineEnd;
    rollOverIfFull(target, line.size());
    const std::string text = files_.exists(target) ? line : header() + line;
    if (!files_.append(target, text) && onWriteFailure_) {
        onWriteFailure_(target);
    }
}

void Log::rollOverIfFull(const std::string& path, std::uint64_t adding) {
    const auto size = files_.fileSize(path);
    if (!size || *size == 0 || *size + adding <= kMaxLogBytes) {
        return;
    }
    // Without a copy the lines stay where they are: the failing append reports it.
    if (files_.copy(path, path + kOlderCopySuffix)) {
        files_.remove(path);
    }
}

std::string Log::subTrace(const std::string& text) {
    auto line = text + " - " + funLogTimeStamp() + " " + system_.programFileName();
    if (traceToLog_ && !strLogFile_.empty()) {
        subWriteLog("Trace: " + line);
    }
    return line;
}

} // namespace orvan
