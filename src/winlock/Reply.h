#pragma once

#include <cstdlib>
#include <memory>

namespace orvan::winlock {

struct FreeWithFree {
    void operator()(void* pointer) const { std::free(pointer); }
};

// An xcb reply or error, which xcb allocates with malloc.
template <typename T>
using Reply = std::unique_ptr<T, FreeWithFree>;

} // namespace orvan::winlock
