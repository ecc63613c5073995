#include "model/EngineContext.h"

#include "base/DateSerial.h"
#include "platform/Clock.h"

namespace orvan {

double EngineContext::now() const {
    return DateSerial::fromUnixMillis(platform.clock.utcMillis() +
                                      platform.clock.utcOffsetMillis());
}

int EngineContext::idleState() const {
    return link.blnDisabled ? Workstation::kBlocked : settings.intDefaultState;
}

} // namespace orvan
