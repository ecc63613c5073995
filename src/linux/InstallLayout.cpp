#include "InstallLayout.h"

#include "GuardProtocol.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/auxv.h>
#include <unistd.h>

namespace orvan {

bool InstallLayout::installed() {
    return getauxval(AT_SECURE) != 0;
}

std::string InstallLayout::override(const char* name) {
    const char* value = secure_getenv(name);
    return value == nullptr ? std::string{} : std::string{value};
}

std::string InstallLayout::userSettingsFile(const std::string& dataFolder) {
    if (installed()) {
        const passwd* account = getpwuid(getuid());
        const std::string name = account != nullptr ? account->pw_name : std::to_string(getuid());
        return dataFolder + "/users/" + name + ".reg";
    }
    auto folder = override("XDG_CONFIG_HOME");
    if (folder.empty() || folder.front() != '/') {
        const char* home = std::getenv("HOME");
        folder = std::string{home != nullptr ? home : ""} + "/.config";
    }
    return folder + "/OrvanetixClient/user.reg";
}

std::string InstallLayout::guardSocket() {
    return installed() ? std::string{guard::kSocketPath} : override("ORVAN_GUARD_SOCKET");
}

} // namespace orvan
