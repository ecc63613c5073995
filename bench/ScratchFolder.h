#pragma once

#include <string>

namespace orvan::bench {

// A fresh folder under the temporary directory for one run's settings and output,
// removed with everything in it when this goes.
class ScratchFolder {
public:
    // Named `prefix` and a unique suffix; path() is empty when it cannot be made.
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace orvan::bench
