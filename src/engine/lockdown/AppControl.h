#pragma once

#include "platform/Desktop.h"

#include <string>
#include <vector>

namespace orvan {

struct EngineContext;

// Programs forbidden while a session runs without Internet, as the server set them.
struct Prohibitions {
    int closeInternetExplorer = 0; // each counts as on when 1
    int closeMozilla = 0;
    int closeNetscape = 0;
    int closeOutlookExpress = 0;
    std::vector<std::string> furtherNames;
};

// Closes the customer's applications at the edges of a session and keeps forbidden
// programs closed in disconnected usage.
class AppControl {
public:
    explicit AppControl(EngineContext& context);

    // Closes every application window, politely first (nothing with "-k").
    bool funCloseAllApps();
    // Applies the disconnected-usage prohibitions once.
    void subKillApps();
    // Terminates the first process whose program name contains `name`, ignoring case.
    bool killByName(const std::string& name);
    // Closes one application: a close request to its window, then by force.
    void subCloseApp(const ProcessEntry& entry);

    Prohibitions prohibitions;

private:
    bool isDevelopmentEnvironment(const ProcessEntry& entry) const;

    EngineContext& context_;
};

} // namespace orvan
