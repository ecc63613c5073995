#pragma once

#include "platform/ShellLock.h"

#include <array>
#include <string>

namespace orvan {

// The lock library as a shared object in the program folder, loaded once at
// construction. Missing pieces are not errors here: the engine reports them at
// each call, so the client runs on without the library.
class DlShellLock : public ShellLock {
public:
    static constexpr const char* kFileName = "libwinlock.so";

    explicit DlShellLock(const std::string& programFolder);
    ~DlShellLock() override;
    DlShellLock(const DlShellLock&) = delete;
    DlShellLock& operator=(const DlShellLock&) = delete;

    bool loaded() const override { return handle_ != nullptr; }
    std::optional<std::int32_t> call(Export which, std::int32_t value) override;

    // Why the library did not load; empty when it did.
    const std::string& loadError() const { return loadError_; }

private:
    using Function = std::int32_t (*)(std::int32_t);

    void* handle_ = nullptr;
    std::array<Function, 4> functions_{};
    std::string loadError_;
};

} // namespace orvan
