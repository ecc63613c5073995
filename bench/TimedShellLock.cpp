#include "TimedShellLock.h"

#include <chrono>
#include <utility>

namespace orvan::bench {

std::optional<std::int32_t> TimedShellLock::call(Export which, std::int32_t value) {
    const auto started = std::chrono::steady_clock::now();
    auto result = library_.call(which, value);
    spent_[static_cast<std::size_t>(which)] +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    return result;
}

std::array<double, 4> TimedShellLock::take() {
    return std::exchange(spent_, {});
}

} // namespace orvan::bench
