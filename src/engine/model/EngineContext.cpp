#include "model/EngineContext.h"

#include "base/DateSerial.h"
#include "platform/Clock.h"

namespace orvan {

double EngineContext::now() const {
    return DateSerial::fromUnixMillis(platform.clock.utcMillis() +
                                      platform.clock.utcOffsetMillis());
}

} // namespace orvan
