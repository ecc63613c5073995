#pragma once

#include "SharedLibrary.h"

// A list of a library's calls is written once, as X(name) entries of a macro; these
// turn it into a struct with one pointer per call, named as the call, that binds them
// all from a loaded library. The types come from the library's own header.
#define ORVAN_DECLARE_CALL(name) decltype(&::name) name = nullptr;
#define ORVAN_BIND_CALL(name) bound = library.bind(name, #name) && bound;
#define ORVAN_LIBRARY_CALLS(Name, LIST)                                                            \
    struct Name {                                                                                  \
        LIST(ORVAN_DECLARE_CALL)                                                                   \
        bool bindAll(const ::orvan::SharedLibrary& library) {                                      \
            bool bound = true;                                                                     \
            LIST(ORVAN_BIND_CALL)                                                                  \
            return bound;                                                                          \
        }                                                                                          \
    }

namespace orvan {

// The calls of a library loaded on demand: `ok` only when the library was found and
// every call of the list was bound, so a library of another version missing one of
// them is as good as absent instead of a crash at the first call.
template <typename Calls>
struct LoadedCalls : Calls {
    explicit LoadedCalls(const char* soname)
        : library(soname) {
        ok = library.loaded() && Calls::bindAll(library);
    }
    SharedLibrary library;
    bool ok = false;
};

} // namespace orvan
