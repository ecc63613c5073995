#pragma once

#include <string_view>

namespace orvan {

// The switches of the command line. Each is found by a plain substring search of the
// whole lower-cased line with "/" read as "-", so switches may stand anywhere, and a
// path given on the command line would switch modes on: roots of folders and settings
// are therefore redirected by environment variables, never by arguments.
struct CommandLine {
    bool blnDebugMode = false;        // "-d"
    bool blnTestMode = false;         // "-t": no lockdown, nothing top-most
    bool blnKeepApps = false;         // "-k": close no applications
    bool blnMultiInstance = false;    // "-m": skip the single-instance check
    bool blnNoLockdownReport = false; // "-l": report lockdown as not allowed

    static CommandLine parse(std::string_view line);
};

} // namespace orvan
