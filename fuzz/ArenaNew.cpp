// The process's operator new and delete, routed to the snapshot arena while it is active
// and to malloc otherwise. Linked into the fuzzers that rewind their client.

#include "SnapshotArena.h"

#include <cstdlib>
#include <new>

namespace {

using orvan::fuzz::SnapshotArena;

void* allocate(std::size_t size, std::size_t alignment) {
    auto& arena = SnapshotArena::instance();
    if (arena.active()) {
        return arena.allocate(size, alignment);
    }
    void* pointer =
        alignment <= alignof(std::max_align_t)
            ? std::malloc(size == 0 ? 1 : size)
            : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    if (pointer == nullptr) {
        throw std::bad_alloc();
    }
    return pointer;
}

void release(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    auto& arena = SnapshotArena::instance();
    if (arena.owns(pointer)) {
        arena.release(pointer);
    } else {
        std::free(pointer);
    }
}

constexpr std::size_t kDefault = alignof(std::max_align_t);

} // namespace

void* operator new(std::size_t size) {
    return allocate(size, kDefault);
}
void* operator new[](std::size_t size) {
    return allocate(size, kDefault);
}
void* operator new(std::size_t size, std::align_val_t a) {
    return allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return allocate(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size, kDefault);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}

void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}
