#pragma once

#include <string>

namespace orvan {

// The manager's account on this workstation, as the server last sent it.
class clsUser {
public:
    std::string login;
    std::string Passwd;
};

} // namespace orvan
