#include "FontConfigLoad.h"

#include <fontconfig/fontconfig.h>
#include <system_error>

namespace orvan {

FontConfigLoad::FontConfigLoad() {
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt loads the configuration itself when it needs it.
    }
}

FontConfigLoad::~FontConfigLoad() {
    wait();
}

void FontConfigLoad::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace orvan
