#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace orvan {

// A window made the first time its model needs it rather than with the others: most
// windows are seldom or never shown, and a hidden window's widgets, pictures and
// style-sheet rules would hold memory all the while. `wanted` is the model's flag that
// first needs it: `loaded` for a window that follows its loaded model, `visible` for one
// that is loaded at start-up and only ever draws what is shown.
//
// A window shown once in a long while (the splash, which is also the About box) can
// also go again when its model stops wanting it, widgets, back buffer and
// all; one hidden on every lock stays, so that locking never waits for a teardown.
template <typename Window>
class DeferredWindow {
public:
    using Make = std::function<std::unique_ptr<Window>()>;
    enum class Unwanted { keep, drop };

    DeferredWindow(const bool& wanted, Make make, Unwanted unwanted = Unwanted::keep)
        : wanted_(&wanted)
        , make_(std::move(make))
        , drop_(unwanted == Unwanted::drop) {}

    // The window, made now if it is not yet.
    Window& window() {
        if (window_ == nullptr) {
            window_ = make_();
        }
        return *window_;
    }
    bool made() const { return window_ != nullptr; }

    // Follows the model; a window whose model never wanted it has nothing to show.
    template <typename... Args>
    void sync(Args... args) {
        if (window_ == nullptr && !*wanted_) {
            return;
        }
        window().sync(args...);
        if (drop_ && !*wanted_) {
            // Later: this sync may run from one of the window's own signals.
            window_.release()->deleteLater();
        }
    }

private:
    const bool* wanted_;
    Make make_;
    bool drop_;
    std::unique_ptr<Window> window_;
};

} // namespace orvan
