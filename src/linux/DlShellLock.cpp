#include "DlShellLock.h"

#include <dlfcn.h>

namespace orvan {

namespace {
constexpr ShellLock::Export kExports[] = {
    ShellLock::Export::Taskbar_Show_Hide,
    ShellLock::Export::Desktop_Show_Hide,
    ShellLock::Export::TaskSwitching_Enable_Disable,
    ShellLock::Export::CtrlAltDel_Enable_Disable,
};
} // namespace

DlShellLock::DlShellLock(const std::string& programFolder) {
    // A path with a slash: dlopen must not search the library path for another
    // file of that name.
    const std::string path =
        (programFolder.empty() ? std::string{"."} : programFolder) + "/" + kFileName;
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* error = dlerror();
        loadError_ = error != nullptr ? error : path;
        return;
    }
    for (const auto which : kExports) {
        // POSIX guarantees that a function pointer round-trips through void*.
        functions_[static_cast<std::size_t>(which)] =
            reinterpret_cast<Function>(dlsym(handle_, ShellLock::name(which)));
    }
}

DlShellLock::~DlShellLock() {
    if (handle_ == nullptr) {
        return;
    }
    // The library must stop using the front end's connection before it closes.
    if (attached_) {
        attachLockWindows(nullptr, {});
    }
    dlclose(handle_);
}

std::optional<std::int32_t> DlShellLock::call(Export which, std::int32_t value) {
    const auto function = functions_[static_cast<std::size_t>(which)];
    if (function == nullptr) {
        return std::nullopt;
    }
    return function(value);
}

bool DlShellLock::attachLockWindows(void* connection, const std::vector<std::uint32_t>& windows) {
    const auto function =
        reinterpret_cast<AttachFunction>(lookUp("WinLock_SetLockWindows", attach_, attachLooked_));
    if (function == nullptr) {
        return false;
    }
    const bool attach = connection != nullptr && !windows.empty();
    const bool done = function(attach ? connection : nullptr, attach ? windows.data() : nullptr,
                               attach ? static_cast<std::int32_t>(windows.size()) : 0) != 0;
    attached_ = attach;
    return done;
}

void DlShellLock::setLogSink(void (*sink)(const char* line)) {
    if (const auto function =
            reinterpret_cast<SinkFunction>(lookUp("WinLock_SetLogSink", sink_, sinkLooked_))) {
        function(sink);
    }
}

void* DlShellLock::lookUp(const char* name, void*& slot, bool& looked) {
    if (!looked && handle_ != nullptr) {
        slot = dlsym(handle_, name);
    }
    looked = true;
    return slot;
}

} // namespace orvan
