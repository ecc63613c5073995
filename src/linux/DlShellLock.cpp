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

// A path with a slash: dlopen must not search the library path for another file of
// that name.
DlShellLock::DlShellLock(const std::string& programFolder)
    : path_((programFolder.empty() ? std::string{"."} : programFolder) + "/" + kFileName) {
    load();
}

// Tried again at each call while the library is missing: a file put back (a package
// being upgraded, say) locks at the next attempt without a restart.
bool DlShellLock::load() {
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* error = dlerror();
        loadError_ = error != nullptr ? error : path_;
        return false;
    }
    loadError_.clear();
    for (const auto which : kExports) {
        // POSIX guarantees that a function pointer round-trips through void*.
        functions_[static_cast<std::size_t>(which)] =
            reinterpret_cast<Function>(dlsym(handle_, ShellLock::name(which)));
    }
    if (sinkSet_ != nullptr) {
        setLogSink(sinkSet_);
    }
    if (lentConnection_ != nullptr) {
        attachLockWindows(lentConnection_, lentWindows_);
    }
    return true;
}

DlShellLock::~DlShellLock() {
    if (handle_ == nullptr) {
        return;
    }
    // The library must stop using the front end's connection before it closes.
    if (lentConnection_ != nullptr) {
        attachLockWindows(nullptr, {});
    }
    dlclose(handle_);
}

std::optional<std::int32_t> DlShellLock::call(Export which, std::int32_t value) {
    if (handle_ == nullptr && !load()) {
        return std::nullopt;
    }
    const auto function = functions_[static_cast<std::size_t>(which)];
    if (function == nullptr) {
        return std::nullopt;
    }
    return function(value);
}

bool DlShellLock::attachLockWindows(void* connection, const std::vector<std::uint32_t>& windows) {
    lentConnection_ = connection;
    lentWindows_ = windows;
    const auto function =
        reinterpret_cast<AttachFunction>(lookUp("WinLock_SetLockWindows", attach_, attachLooked_));
    if (function == nullptr) {
        return false;
    }
    const bool attach = connection != nullptr;
    const bool done = function(connection, attach && !windows.empty() ? windows.data() : nullptr,
                               attach ? static_cast<std::int32_t>(windows.size()) : 0) != 0;
    return done;
}

void DlShellLock::setLogSink(void (*sink)(const char* line)) {
    sinkSet_ = sink;
    if (const auto function =
            reinterpret_cast<SinkFunction>(lookUp("WinLock_SetLogSink", sink_, sinkLooked_))) {
        function(sink);
    }
}

void* DlShellLock::lookUp(const char* name, void*& slot, bool& looked) {
    if (!looked && handle_ != nullptr) {
        slot = dlsym(handle_, name);
        looked = true;
    }
    return slot;
}

} // namespace orvan
