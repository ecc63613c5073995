#pragma once

// A heap that can be rewound. While it is active, every operator new of the calling thread
// is served from one fixed region by a bump pointer; mark() saves the region's bytes and
// rewind() writes them back, so every object allocated before the mark is, byte for
// byte and at the same address, what it was at the mark. Blocks freed before the mark
// are not written back: building the client leaves many temporaries behind, and the
// copy runs before every input. A fuzzer builds its client once
// under the arena, marks, and rewinds between inputs instead of building the client again.
//
// The address sanitizer still sees the client's heap: headers and redzones are poisoned,
// a freed block stays poisoned until the next rewind (nothing is reused within one input)
// and a second delete aborts. What the region held beyond the mark is poisoned at the
// rewind, so a pointer that outlived its input (a lazily built static, say) is caught.

#include <cstddef>
#include <utility>
#include <vector>

namespace orvan::fuzz {

class SnapshotArena {
public:
    static SnapshotArena& instance();

    // Routes the calling thread's operator new to the arena (true) or to malloc (false).
    // Other threads (the fuzzer's own) always use malloc.
    void setActive(bool active);
    bool active() const;

    void* allocate(std::size_t size, std::size_t alignment);
    bool owns(const void* pointer) const;
    void release(void* pointer);

    void mark();
    void rewind();

    std::size_t markedBytes() const { return mark_; }
    // What the rewind writes back: the marked bytes less the blocks freed before the
    // mark, which nothing may read again.
    std::size_t rewoundBytes() const;
    std::size_t usedBytes() const { return top_; }

private:
    SnapshotArena();

    char* base_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t top_ = 0;
    std::size_t mark_ = 0;
    // Everything from top_ up to here is poisoned.
    std::size_t poisonedTo_ = 0;
    std::vector<char> saved_;
    bool marked_ = false;
    // Blocks freed before the mark, as offsets [from, to): left out of every rewind.
    std::vector<std::pair<std::size_t, std::size_t>> deadBeforeMark_;
    // The rest of the marked bytes, as offsets [from, to), in order.
    std::vector<std::pair<std::size_t, std::size_t>> liveSpans_;
    // Blocks below the mark freed by the current input: live again after the rewind.
    std::vector<std::pair<void*, std::size_t>> freedBelowMark_;
};

} // namespace orvan::fuzz
