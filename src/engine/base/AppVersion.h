#pragma once

#include <string>

namespace orvan {

struct AppVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;

    // This build's version.
    static AppVersion current();
    // "1.9.300"
    std::string text() const;
    // The number the server compares: major × 1000000 + minor × 1000 + revision.
    long wire() const { return major * 1'000'000L + minor * 1'000L + revision; }
};

} // namespace orvan
