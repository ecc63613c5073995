#pragma once

#include "platform/ShellLock.h"

namespace orvan {

// The shell lock of a run without a screen (Qt's offscreen platform, for tests and
// demos): there is no desktop to keep the customer from, so every switch takes
// effect at once and nothing is reported as a lock that could not be taken.
class HeadlessShellLock : public ShellLock {
public:
    bool loaded() const override { return true; }
    std::optional<std::int32_t> call(Export /*which*/, std::int32_t /*value*/) override {
        return 1;
    }
};

} // namespace orvan
