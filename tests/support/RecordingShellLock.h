#pragma once

#include "platform/ShellLock.h"

#include <optional>
#include <utility>
#include <vector>

namespace orvan::test {

// Records every switch the engine asks for, in order; answers `result`, or nothing
// while the library (or the one export `missing`) is taken as missing.
class RecordingShellLock : public ShellLock {
public:
    using Call = std::pair<Export, std::int32_t>;

    bool loaded() const override { return present; }
    std::optional<std::int32_t> call(Export which, std::int32_t value) override {
        calls.emplace_back(which, value);
        if (!present || missing == which) {
            return std::nullopt;
        }
        return result;
    }

    bool present = true;
    std::optional<Export> missing;
    std::int32_t result = 1;
    std::vector<Call> calls;
};

} // namespace orvan::test
