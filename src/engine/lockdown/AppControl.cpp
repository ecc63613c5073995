#include "lockdown/AppControl.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/SystemInfo.h"

namespace orvan {

AppControl::AppControl(EngineContext& context)
    : context_(context) {}

bool AppControl::isDevelopmentEnvironment(const ProcessEntry& entry) const {
    // With "-d" the tools the client is built with stay open.
    const auto name = Utf8::lowerAscii(entry.executable);
    for (const char* tool : {"code", "qtcreator", "gdb", "kdevelop", "xterm"}) {
        if (name == tool) {
            return true;
        }
    }
    return false;
}

void AppControl::subCloseApp(const ProcessEntry& entry) {
    context_.errors.trap("modProcManager.subCloseAppError", OnError::PassOn, [&] {
        auto& desktop = context_.platform.desktop;
        if (entry.processId == 0 && entry.window == 0) {
            return;
        }
        if (entry.window != 0) {
            desktop.requestClose(entry.window);
            if (Utf8::lowerAscii(entry.executable) == "explorer.exe" ||
                !desktop.windowExists(entry.window)) {
                return;
            }
        }
        if (entry.processId > 0) {
            desktop.terminate(entry.processId);
        }
    });
}

bool AppControl::funCloseAllApps() {
    return context_.errors.trap("modFunctions.funCloseAllAppsError", OnError::PassOn, [&] {
        context_.forms.frmMsgBox.unload();
        if (context_.flags.blnKeepApps) {
            return true;
        }
        for (const auto& entry : context_.platform.desktop.applicationWindows()) {
            if (context_.flags.blnDebugMode && isDevelopmentEnvironment(entry)) {
                continue;
            }
            subCloseApp(entry);
        }
        return true;
    });
}

bool AppControl::killByName(const std::string& name) {
    return context_.errors.trap("KillProcess.KillProcessError", OnError::LogOnly, [&] {
        const auto wanted = Utf8::lowerAscii(name);
        if (wanted.empty()) {
            return false;
        }
        auto& desktop = context_.platform.desktop;
        for (const auto& process : desktop.processes()) {
            if (process.processId <= 0 ||
                Utf8::lowerAscii(process.executable).find(wanted) == std::string::npos) {
                continue;
            }
            // One process per name: the first in the list.
            if (!desktop.terminate(process.processId)) {
                return false;
            }
            context_.log.subWriteLog(process.executable,
                                     context_.platform.system.programFolder() + "/logkillfile.log");
            return true;
        }
        return false;
    });
}

void AppControl::subKillApps() {
    // The prohibitions and their message come with application control; the
    // session's timer already calls this every ten seconds in disconnected usage.
}

} // namespace orvan
