#pragma once

#include "platform/Browsers.h"

namespace orvan::test {

// Browser windows as the test lists them.
class ScriptedBrowsers : public Browsers {
public:
    std::vector<BrowserWindow> browserWindows() override { return windows; }

    std::vector<BrowserWindow> windows;
};

} // namespace orvan::test
