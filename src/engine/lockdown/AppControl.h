#pragma once

#include "lockdown/ProhibitedPrograms.h"
#include "platform/Desktop.h"

#include <string>
#include <vector>

namespace orvan {

struct EngineContext;
class MessageShowing;

// Closes the customer's applications at the edges of a session, keeps forbidden
// programs closed in disconnected usage, and keeps a second copy of the client from
// running. What may never be closed is the desktop adapter's to refuse.
class AppControl {
public:
    explicit AppControl(EngineContext& context);

    // The message box sits above; it is handed over once built.
    void setNotices(MessageShowing& notices) { notices_ = &notices; }

    // The inspectable processes, rebuilt first when asked.
    const std::vector<ProcessEntry>& funGetPoccessList(bool rebuild);
    // The application windows, rebuilt first when asked; the client's own windows
    // are never among them.
    const std::vector<ProcessEntry>& funGetWindowList(bool rebuild);
    ProcessEntry funGetProcInfo(long processId);
    // Closes one application: a close request to its window, then by force.
    void subCloseApp(const ProcessEntry& entry);
    // Terminates the first process whose program name contains `name`, ignoring case.
    bool killByName(const std::string& name);
    // Applies the disconnected-usage prohibitions once.
    void subKillApps();
    // Closes every application window, politely first (nothing with "-k").
    bool funCloseAllApps();
    // Ends this copy at once when another one runs for the user and display; false
    // then.
    bool subCheckForRunningWksn();

    Prohibitions prohibitions;

private:
    bool isDevelopmentEnvironment(const ProcessEntry& entry) const;
    bool closeForbiddenProcesses();
    bool closeBrowserWindows();

    EngineContext& context_;
    MessageShowing* notices_ = nullptr;
    std::vector<ProcessEntry> processes_;
    std::vector<ProcessEntry> windows_;
};

} // namespace orvan
