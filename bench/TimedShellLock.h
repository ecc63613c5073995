#pragma once

#include "platform/ShellLock.h"

#include <array>
#include <optional>

namespace orvan::bench {

// Times each call into the lock library on its way through, passing it on unchanged.
class TimedShellLock : public ShellLock {
public:
    explicit TimedShellLock(ShellLock& library)
        : library_(library) {}

    bool loaded() const override { return library_.loaded(); }
    std::optional<std::int32_t> call(Export which, std::int32_t value) override;

    // Milliseconds spent in each export since the last take, indexed by Export.
    std::array<double, 4> take();

private:
    ShellLock& library_;
    std::array<double, 4> spent_{};
};

} // namespace orvan::bench
