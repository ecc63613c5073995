#include "lockdown/SessionCleanup.h"

#include "base/AppError.h"
#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "model/EngineContext.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"
#include "platform/SystemInfo.h"

#include <cmath>

namespace orvan {
namespace {

constexpr long kTwipsPerPixel = 15;

long fivePercentIn(long pixels, double share) {
    // nearbyint rounds halves to the even neighbour, as the placement was written.
    return static_cast<long>(std::nearbyint(static_cast<double>(pixels) * share));
}

} // namespace

SessionCleanup::SessionCleanup(EngineContext& context)
    : context_(context) {}

template <typename Step>
void SessionCleanup::runStep(const char* what, Step&& step) {
    const bool done = context_.errors.trap("modFunctions.subSessionCleanupError", OnError::LogOnly,
                                           [&] { return step(); });
    if (!done) {
        context_.log.subWriteLog(std::string{"Session cleanup: could not "} + what);
    }
}

void SessionCleanup::subSessionCleanup() {
    if (!context_.settings.blnAllowLockdown) {
        return;
    }
    auto& traces = context_.platform.traces;
    const auto& o = options;
    if (o.arrangeDesktopIcons == 1) {
        runStep("arrange the desktop icons", [&] { return traces.arrangeDesktopIcons(); });
    }
    if (o.clearRecentDocuments == 1) {
        runStep("clear the recent documents", [&] { return traces.clearRecentDocuments(); });
        runStep("empty the trash", [&] { return traces.emptyTrash(); });
    }
    if (o.resetWallpaper == 1) {
        const auto picture = context_.settings.strDataPath + "/background_image";
        runStep("reset the wallpaper", [&] { return traces.setWallpaper(picture); });
    }
    if (o.resetStartPage == 1) {
        runStep("reset the start page", [&] { return traces.setStartPage(o.startPage); });
    }
    if (o.resetBrowser == 1) {
        resetBrowser();
    }
    if (o.clearMessengerTraces == 1) {
        runStep("clear the messenger traces", [&] { return traces.clearMessengerTraces(); });
    }
}

void SessionCleanup::resetBrowser() {
    const auto& screen = context_.platform.screen;
    const auto placement = funWindowPlacement(screen.widthTwips() / kTwipsPerPixel,
                                              screen.heightTwips() / kTwipsPerPixel);
    runStep("reset the browser's look",
            [&] { return context_.platform.traces.resetBrowserLook(placement); });
    subIEDeleteCache();
    funIEDeleteHistory();
}

void SessionCleanup::subIEDeleteCache() {
    runStep("delete the browser cache",
            [&] { return context_.platform.traces.deleteBrowserCache(); });
}

bool SessionCleanup::funIEDeleteHistory() {
    bool done = false;
    runStep("clear the browser history", [&] {
        done = context_.platform.traces.deleteBrowserHistory();
        return done;
    });
    return done;
}

WindowPlacement SessionCleanup::funWindowPlacement(long widthPixels, long heightPixels) {
    return {fivePercentIn(widthPixels, 0.05), fivePercentIn(heightPixels, 0.05),
            fivePercentIn(widthPixels, 0.95), fivePercentIn(heightPixels, 0.95)};
}

std::vector<std::string> SessionCleanup::batchArguments(const std::string& script) const {
    const auto computer = context_.platform.system.computerName();
    const auto& identifier = context_.workstation.session.strUserID;
    return {script, identifier.empty() ? computer : identifier, context_.settings.strServerName,
            Utf8::lowerAscii(computer)};
}

void SessionCleanup::subRunSessionStartBatch() {
    runBatch("modFunctions.subRunSessionStartBatchError", "session_batch_start.bat");
}

void SessionCleanup::subRunSessionEndBatch() {
    runBatch("modFunctions.subRunSessionEndBatchError", "session_batch_end.bat");
}

void SessionCleanup::runBatch(const char* location, const char* fileName) {
    // Only logged: the session starts or ends whatever the batch file does.
    context_.errors.trap(location, OnError::LogOnly, [&] {
        const auto script = context_.settings.strDataPath + "/" + fileName;
        if (!context_.platform.files.exists(script)) {
            throw AppError(AppError::kFileNotFound, "File not found: " + script);
        }
        // Each value is one argument, never command text: the identifier is typed by
        // the customer or sent by the server.
        if (!context_.platform.desktop.startProgram(batchArguments(script),
                                                    context_.log.currentPath())) {
            throw AppError(AppError::kPathFileAccess, "Could not start " + script);
        }
    });
}

} // namespace orvan
