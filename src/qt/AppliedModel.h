#pragma once

#include <optional>

namespace orvan {

// The model a window last brought its widgets in line with. The engine runs up to ten times
// a second during a session while what a window shows changes at most once a second:
// a window whose model compares equal to the one applied has nothing to do.
template <typename Model>
class AppliedModel {
public:
    // Whether `model` differs from the one applied last; it counts as applied from now.
    bool changed(const Model& model) {
        if (applied_ && *applied_ == model) {
            return false;
        }
        applied_ = model;
        return true;
    }
    // The window was hidden or rebuilt: the next sync applies everything.
    void forget() { applied_.reset(); }

private:
    std::optional<Model> applied_;
};

} // namespace orvan
