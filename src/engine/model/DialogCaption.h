#pragma once

#include <string>

namespace orvan {

// A control's localized caption and the tool tip that explains it.
struct DialogCaption {
    std::string caption;
    std::string toolTip;
};

} // namespace orvan
