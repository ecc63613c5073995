#pragma once

#include "LoginSessions.h"

namespace orvan::guard {

// The sessions of systemd-logind: looked up through sd-login, ended over the system bus.
class LogindSessions : public LoginSessions {
public:
    std::string sessionOf(pid_t pid) override;
    bool terminate(const std::string& session) override;
};

} // namespace orvan::guard
