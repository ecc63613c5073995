#pragma once

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

    bool blnRunStartBatch = false; // set by the server
    bool blnRunEndBatch = false;

private:
    EngineContext& context_;
};

} // namespace orvan
