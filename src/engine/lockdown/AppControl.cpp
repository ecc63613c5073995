#include "lockdown/AppControl.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "localization/MessageCatalogue.h"
#include "lockdown/clsInetexplorer.h"
#include "model/EngineContext.h"
#include "platform/SystemInfo.h"
#include "roles/MessageShowing.h"

#include <algorithm>

namespace orvan {
namespace {

bool startsWithIgnoreCase(const std::string& text, std::string_view prefix) {
    return Utf8::equalsIgnoreCase(std::string_view{text}.substr(0, prefix.size()), prefix);
}

// A window showing a page or a folder, or the cafe's own links page.
bool showsAnAddress(const std::string& caption, const std::string& address) {
    return startsWithIgnoreCase(address, "http") || startsWithIgnoreCase(address, "ftp") ||
           address.find('/') != std::string::npos || address == clsInetexplorer::kLinksPage ||
           caption == clsInetexplorer::kLinksPage;
}

} // namespace

AppControl::AppControl(EngineContext& context)
    : context_(context) {}

const std::vector<ProcessEntry>& AppControl::funGetPoccessList(bool rebuild) {
    if (rebuild) {
        context_.errors.trap("modProcManager.funGetPoccessListError", OnError::PassOn, [&] {
            processes_.clear();
            for (auto& entry : context_.platform.desktop.processes()) {
                if (entry.processId > 0) {
                    processes_.push_back(std::move(entry));
                }
            }
        });
    }
    return processes_;
}

const std::vector<ProcessEntry>& AppControl::funGetWindowList(bool rebuild) {
    if (rebuild) {
        context_.errors.trap("modProcManager.funGetWindowListError", OnError::PassOn, [&] {
            windows_.clear();
            for (auto& entry : context_.platform.desktop.applicationWindows()) {
                if (entry.processId > 0 && !entry.title.empty()) {
                    windows_.push_back(std::move(entry));
                }
            }
        });
    }
    return windows_;
}

ProcessEntry AppControl::funGetProcInfo(long processId) {
    return context_.errors.trap("modProcManager.funGetProcInfoError", OnError::PassOn,
                                [&] { return context_.platform.desktop.processInfo(processId); });
}

void AppControl::subCloseApp(const ProcessEntry& given) {
    context_.errors.trap("modProcManager.subCloseAppError", OnError::PassOn, [&] {
        auto& desktop = context_.platform.desktop;
        auto entry = given;
        if (entry.processId == 0) {
            if (entry.window == 0) {
                return;
            }
            const auto window = entry.window;
            entry = desktop.processInfo(desktop.windowProcess(window));
            entry.window = window;
        }
        if (entry.window != 0) {
            desktop.requestClose(entry.window);
            if (Utf8::lowerAscii(entry.executable) == "explorer.exe" ||
                !desktop.windowExists(entry.window)) {
                return;
            }
        }
        // A process that cannot be touched is left alone.
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
        for (const auto& entry : funGetWindowList(true)) {
            if (context_.flags.blnDebugMode && isDevelopmentEnvironment(entry)) {
                continue;
            }
            subCloseApp(entry);
        }
        return true;
    });
}

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
    context_.errors.trap("modFunctions.subKillAppsError", OnError::PassOn, [&] {
        bool found = closeForbiddenProcesses();
        if (prohibitions.closeInternetExplorer == 1) {
            found = closeBrowserWindows() || found;
        }
        if (found && notices_ != nullptr) {
            auto& texts = context_.localization;
            notices_->showNotice(texts.funLoadResString(10000) + texts.funLoadResString(10186) +
                                 "\r\n" + texts.funLoadResString(10187));
        }
    });
}

bool AppControl::closeForbiddenProcesses() {
    const ProhibitedPrograms forbidden(prohibitions);
    if (!forbidden.any()) {
        return false;
    }
    bool found = false;
    for (const auto& process : funGetPoccessList(true)) {
        if (forbidden.forbids(process.executable)) {
            subCloseApp(process);
            found = true;
        }
    }
    return found;
}

bool AppControl::closeBrowserWindows() {
    clsInetexplorer finder(context_.platform.browsers);
    finder.Refresh();
    bool found = false;
    for (int i = 1; i <= finder.Count(); ++i) {
        if (showsAnAddress(finder.ItemCaption(i), finder.ItemURL(i))) {
            subCloseApp(ProcessEntry{0, {}, {}, {}, finder.ItemhWnd(i)});
            found = true;
        }
    }
    return found;
}

bool AppControl::subCheckForRunningWksn() {
    return context_.errors.trap("modFunctions.subCheckForRunningWksnError", OnError::PassOn, [&] {
        if (context_.platform.desktop.claimSingleInstance()) {
            return true;
        }
        context_.log.subWriteLog("Another copy of the program runs for this user: ending.");
        context_.messages.funMsg(20);
        return false;
    });
}

} // namespace orvan
