#pragma once

#include <string>

namespace orvan {

// Shows a notice in the program's own message box, for subsystems below it.
class MessageShowing {
public:
    // An OK box that goes away on its own, never waiting for the customer.
    virtual void showNotice(const std::string& text) = 0;

protected:
    ~MessageShowing() = default;
};

} // namespace orvan
