#pragma once

#include "base/AppVersion.h"

#include <string>

namespace orvan {

struct EngineContext;

// The About box `frmAbout`: the program's name and version and its credits; at start-up
// the same window is the splash.
class AboutBox {
public:
    AboutBox(EngineContext& context, AppVersion version);

    void subLocalizeInterface();
    // Modal over the main window, on top.
    void showModal();
    // On its own in the middle of the screen.
    void showCentred();
    void cmdOK_Click();

    const std::string& credits() const { return credits_; }

private:
    EngineContext& context_;
    AppVersion version_;
    std::string credits_;
};

} // namespace orvan
