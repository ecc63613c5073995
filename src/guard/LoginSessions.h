#pragma once

#include <string>
#include <sys/types.h>

namespace orvan::guard {

// The login sessions of the computer, as far as the guard needs them.
class LoginSessions {
public:
    virtual ~LoginSessions() = default;

    // The login session a process belongs to; empty when none.
    virtual std::string sessionOf(pid_t pid) = 0;
    // Ends the session and every process in it; false when refused.
    virtual bool terminate(const std::string& session) = 0;
};

} // namespace orvan::guard
