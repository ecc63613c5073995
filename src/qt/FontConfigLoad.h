#pragma once

#include <thread>

namespace orvan {

// Reading fontconfig's configuration (some sixty XML files) is most of what the first
// line of text costs a program, and it needs neither the display nor the event loop's
// thread. Begun on a thread of its own as the program starts, it runs beside Qt's and
// the engine's start-up, and the lock screen finds it done when it sets its fonts.
class FontConfigLoad {
public:
    FontConfigLoad();
    ~FontConfigLoad();
    FontConfigLoad(const FontConfigLoad&) = delete;
    FontConfigLoad& operator=(const FontConfigLoad&) = delete;

    // Returns once the configuration is loaded; Qt then reads it instead of loading a
    // second copy.
    void wait();

private:
    std::thread thread_;
};

} // namespace orvan
