#include "base/CommandLine.h"

#include "base/Utf8.h"

#include <algorithm>

namespace orvan {

CommandLine CommandLine::parse(std::string_view line) {
    auto text = Utf8::lowerAscii(line);
    std::replace(text.begin(), text.end(), '/', '-');
    const auto has = [&text](const char* flag) { return text.find(flag) != std::string::npos; };
    CommandLine flags;
    flags.blnDebugMode = has("-d");
    flags.blnTestMode = has("-t");
    flags.blnKeepApps = has("-k");
    flags.blnMultiInstance = has("-m");
    flags.blnNoLockdownReport = has("-l");
    return flags;
}

} // namespace orvan
