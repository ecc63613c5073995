#pragma once

#include <string>

namespace orvan {

// A shared library loaded on demand and unloaded with this object, for features whose
// libraries should cost nothing until they are used.
class SharedLibrary {
public:
    explicit SharedLibrary(const std::string& soname);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // Points `function` at the library's symbol; false when it is missing.
    template <typename Function>
    bool bind(Function& function, const char* name) const {
        function = reinterpret_cast<Function>(symbol(name));
        return function != nullptr;
    }

private:
    void* symbol(const char* name) const;

    void* handle_ = nullptr;
};

} // namespace orvan
