#include "base/AppVersion.h"

namespace orvan {

AppVersion AppVersion::current() {
    return {ORVAN_VERSION_MAJOR, ORVAN_VERSION_MINOR, ORVAN_VERSION_REVISION};
}

std::string AppVersion::text() const {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

} // namespace orvan
