#pragma once

#include "platform/ShellLock.h"

#include <array>
#include <optional>
#include <thread>
#include <xcb/xcb.h>

namespace orvan::bench {

class XProbe;

// Times each call into the lock library on its way through. Deferred, the server-key
// switch is held back until the last switch of the same lock or unlock (the taskbar),
// then made on a thread of its own once the lock window is seen viewable, or gone for
// an unlock: what the lock would cost if the library changed the keymap only after
// the window is up. Off the caller's thread is not enough: the X server serves no
// other client while it compiles a keymap, so the map request has to get there first.
class TimedShellLock : public ShellLock {
public:
    static constexpr std::chrono::milliseconds kWindowBound{500};

    explicit TimedShellLock(ShellLock& library)
        : library_(library) {}
    ~TimedShellLock() override { join(); }
    TimedShellLock(const TimedShellLock&) = delete;
    TimedShellLock& operator=(const TimedShellLock&) = delete;

    bool loaded() const override { return library_.loaded(); }
    std::optional<std::int32_t> call(Export which, std::int32_t value) override;

    // Milliseconds spent in each export since the last take, indexed by Export; waits
    // for a deferred switch first.
    std::array<double, 4> take();

    // Defers the server keys until `window` is seen (un)mapped by `probe`, which only
    // the deferring thread uses; a null `probe` makes the calls in order again.
    void deferKeys(const XProbe* probe, xcb_window_t window);

private:
    std::optional<std::int32_t> timedCall(Export which, std::int32_t value);
    void join();

    ShellLock& library_;
    std::array<double, 4> spent_{};
    std::optional<std::int32_t> heldBack_;
    std::thread worker_;
    const XProbe* probe_ = nullptr;
    xcb_window_t window_ = XCB_NONE;
};

} // namespace orvan::bench
