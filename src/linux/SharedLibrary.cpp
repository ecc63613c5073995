#include "SharedLibrary.h"

#include <dlfcn.h>

namespace orvan {

SharedLibrary::SharedLibrary(const std::string& soname)
    : handle_(::dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) {
        ::dlclose(handle_);
    }
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ == nullptr ? nullptr : ::dlsym(handle_, name);
}

} // namespace orvan
