#pragma once

#include "platform/ShellLock.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvan {

// The lock library as a shared object in the program folder, loaded at construction
// and, while missing, again at each call. Missing pieces are not errors here: the
// engine reports them at each call, so the client runs on without the library.
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

    // Optional extras of the library, looked up on first use; without them these do
    // nothing. The first lends the front end's xcb connection and lock windows (the
    // first one takes the grabs, so typing still reaches it; with none yet, the root
    // holds them on that connection); a null connection takes them back, as the
    // destructor does.
    bool attachLockWindows(void* connection, const std::vector<std::uint32_t>& windows);
    // Where the library's failure reports go; it may call from a thread of its own.
    void setLogSink(void (*sink)(const char* line));

private:
    using Function = std::int32_t (*)(std::int32_t);
    using AttachFunction = std::int32_t (*)(void*, const std::uint32_t*, std::int32_t);
    using SinkFunction = void (*)(void (*)(const char*));

    bool load();
    void* lookUp(const char* name, void*& slot, bool& looked);

    std::string path_;
    void* handle_ = nullptr;
    std::array<Function, 4> functions_{};
    std::string loadError_;
    void* attach_ = nullptr;
    bool attachLooked_ = false;
    void* sink_ = nullptr;
    bool sinkLooked_ = false;
    // What the host lent (no connection: nothing lent) and where reports go, handed to a
    // library loaded late and taken back before unloading.
    void* lentConnection_ = nullptr;
    std::vector<std::uint32_t> lentWindows_;
    void (*sinkSet_)(const char*) = nullptr;
};

} // namespace orvan
