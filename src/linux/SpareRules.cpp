#include "SpareRules.h"

#include <array>
#include <string_view>

namespace orvan {
namespace {

// The display managers and X servers: they usually run as another user, but not in
// every setup (a nested or test server runs as the customer).
constexpr std::array<std::string_view, 14> kSystemPrograms{
    "Xorg", "Xvfb", "Xwayland", "Xephyr", "X",    "lightdm", "gdm",
    "gdm3", "sddm", "xdm",      "lxdm",   "slim", "nodm",    "systemd"};

} // namespace

SpareRules::SpareRules(const ProcInfo& self)
    : self_(self) {}

bool SpareRules::isSystemProgram(const std::string& executable) {
    for (const auto name : kSystemPrograms) {
        if (executable == name) {
            return true;
        }
    }
    return false;
}

bool SpareRules::mayTouch(const ProcInfo& p) const {
    if (p.pid <= 1 || p.uid != self_.uid) {
        return false;
    }
    // Without logind (a container, a bare X server) the user alone must do.
    if (!self_.loginSession.empty() && p.loginSession != self_.loginSession) {
        return false;
    }
    const bool ours = p.pid == self_.pid || p.parent == self_.pid || p.pid == self_.parent;
    return !ours && p.pid != self_.sessionLeader && shell_.count(p.pid) == 0 &&
           !isSystemProgram(p.executable());
}

} // namespace orvan
