#pragma once

#include <string>

namespace orvan {

struct EngineContext;

// Cleans up after the previous customer and runs the manager's batch files at the
// edges of a session. The cleanup steps come with their own work; the call sites and
// the server's switches are here.
class SessionCleanup {
public:
    explicit SessionCleanup(EngineContext& context);

    void subSessionCleanup();
    void runStartBatch();
    void runEndBatch();

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
    // The show-window style of the batch window, handed unchanged to the program starter.
    int batchWindowStyle = 0;

private:
    EngineContext& context_;
};

} // namespace orvan
