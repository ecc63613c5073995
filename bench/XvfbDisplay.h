#pragma once

#include <string>
#include <sys/types.h>

namespace orvan::bench {

// A private X server of the benchmark's own, 1280x800 at 24 bits, on the first free
// display number. Stopped by its process id when this goes, and by the kernel should
// the benchmark die first.
class XvfbDisplay {
public:
    // Where the server keeps the screen's pixels. Private memory is write-protected
    // whenever the server forks (it does for every keymap change, to compile it), and
    // the next full-screen draw then faults on every page; a graphics card's framebuffer
    // is mapped shared, which a fork leaves alone.
    enum class Framebuffer { Private, Shared };

    explicit XvfbDisplay(Framebuffer framebuffer = Framebuffer::Private);
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool running() const { return !name_.empty(); }
    // ":N", or empty when the server did not come up.
    const std::string& name() const { return name_; }
    pid_t pid() const { return pid_; }
    void stop();

    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 800;

private:
    pid_t pid_ = -1;
    std::string name_;
};

} // namespace orvan::bench
