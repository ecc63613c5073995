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
constexpr std::size_t kStampLength = 17; // YYMMDD.HHMMSS.mmm

// Zero-padded to `width` digits, as "%0*d" writes it; every line and trace is stamped,
// so the common case skips the formatter.
void appendPadded(std::string& out, int value, int width) {
    char text[16];
    if (value < 0) {
        std::snprintf(text, sizeof text, "%0*d", width, value);
        out += text;
        return;
    }
    const auto digits = static_cast<std::size_t>(width);
    std::size_t at = sizeof text;
    do {
        text[--at] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || sizeof text - at < digits);
    out.append(text + at, sizeof text - at);
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
    std::string stamp;
    stamp.reserve(kStampLength);
    for (const int part : {t.year % 100, t.month % 100, t.day % 100}) {
        appendPadded(stamp, part, 2);
    }
    stamp += '.';
    for (const int part : {t.hour % 100, t.minute % 100, t.second % 100}) {
        appendPadded(stamp, part, 2);
    }
    stamp += '.';
    appendPadded(stamp, t.millisecond, 3);
    return stamp;
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

void Log::subTrace(const std::string& text) {
    if (traceToLog_ && !strLogFile_.empty()) {
        subWriteLog("Trace: " + text + " - " + funLogTimeStamp() + " " + system_.programFileName());
    }
}

} // namespace orvan
