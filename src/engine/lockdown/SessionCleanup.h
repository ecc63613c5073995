#pragma once

#include "platform/SessionTraces.h"

#include <string>
#include <vector>

namespace orvan {

struct EngineContext;

// Cleans up after the previous customer and runs the manager's batch files at the
// edges of a session. Which steps run is the server's choice; a step that fails is
// logged and the others still run, so that one damaged profile cannot leave the
// rest of a customer's traces behind.
class SessionCleanup {
public:
    explicit SessionCleanup(EngineContext& context);

    void subSessionCleanup();
    // True when the history is gone.
    bool funIEDeleteHistory();
    void subIEDeleteCache();
    void subRunSessionStartBatch();
    void subRunSessionEndBatch();

    // Where a browser window opens: 5 % in from every edge of a screen of that many
    // pixels, halves rounded to the even neighbour.
    static WindowPlacement funWindowPlacement(long widthPixels, long heightPixels);
    // The batch file's arguments: identifier (else the computer name), server name,
    // computer name in lower case.
    std::vector<std::string> batchArguments(const std::string& script) const;

    // Which cleanup steps run, as the server set them; each flag counts as on when 1.
    struct Options {
        int arrangeDesktopIcons = 0;
        int clearRecentDocuments = 0;
        int resetWallpaper = 0;
        int resetStartPage = 0;
        int resetBrowser = 0;
        std::string startPage; // the address the start-page step writes
        int clearMessengerTraces = 0;
    };

    Options options;
    bool blnRunStartBatch = false; // set by the server
    bool blnRunEndBatch = false;
    // The show-window style of the batch window; a started program here has no window
    // of its own to show, so it is kept only as the server sent it.
    int batchWindowStyle = 0;

private:
    template <typename Step>
    void runStep(const char* what, Step&& step);
    void resetBrowser();
    void runBatch(const char* location, const char* fileName);

    EngineContext& context_;
};

} // namespace orvan
