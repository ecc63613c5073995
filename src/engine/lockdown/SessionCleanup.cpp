#include "lockdown/SessionCleanup.h"

namespace orvan {

SessionCleanup::SessionCleanup(EngineContext& context)
    : context_(context) {}

void SessionCleanup::subSessionCleanup() {
    static_cast<void>(context_);
}
void SessionCleanup::runStartBatch() {}
void SessionCleanup::runEndBatch() {}

} // namespace orvan
