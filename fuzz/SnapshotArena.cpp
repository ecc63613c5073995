#include "SnapshotArena.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sanitizer/asan_interface.h>
#include <sys/mman.h>

namespace orvan::fuzz {

namespace {

// Address space only: pages are taken as they are touched. One input that needs more
// than this holds memory without bound, which the fuzzer reports as a finding.
constexpr std::size_t kCapacity = std::size_t{512} << 20;
constexpr std::size_t kGranule = 16;
constexpr std::size_t kRedzone = 16;
constexpr std::uint64_t kMagic = 0x6f7276616e617265; // "orvanare"
// The region above the top is kept poisoned ahead of use, this much at a time, so that an
// allocation only unpoisons its own bytes: headers and redzones are poisoned already.
constexpr std::size_t kPoisonStep = std::size_t{1} << 20;
// Freed blocks smaller than this are rewound with their neighbours.
constexpr std::size_t kSmallestSkip = 64;

// Only the address sanitizer knows a block already deleted; a build without it leaves
// double deletes to the replay of its finds in the sanitized builds.
bool deletedBefore(const void* pointer) {
#if defined(__has_feature) && __has_feature(address_sanitizer)
    return __asan_address_is_poisoned(pointer) != 0;
#else
    static_cast<void>(pointer);
    return false;
#endif
}

struct Header {
    std::uint64_t size;
    std::uint64_t magic;
};
static_assert(sizeof(Header) == kGranule);

thread_local bool tlsActive = false;

std::size_t roundUp(std::size_t value, std::size_t to) {
    return (value + to - 1) / to * to;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "snapshot arena: %s\n", what);
    std::abort();
}

// Headers, redzones and freed blocks are poisoned; the sanitizer must not check these
// accesses, and a plain memcpy would be checked by its interceptor. The undefined-behaviour
// checks stay off too: one per word kept the loop from being vectorized, and the copy
// before every input cost as much as a small input's own work.
__attribute__((no_sanitize("address", "undefined"), no_builtin("memcpy"))) void
copyWords(char* to, const char* from, std::size_t bytes) {
    auto* out = reinterpret_cast<std::uint64_t*>(to);
    const auto* in = reinterpret_cast<const std::uint64_t*>(from);
    for (std::size_t i = 0; i < bytes / sizeof(std::uint64_t); ++i) {
        out[i] = in[i];
    }
}

__attribute__((no_sanitize("address"))) Header readHeader(const void* user) {
    return *(static_cast<const Header*>(user) - 1);
}

__attribute__((no_sanitize("address"))) void writeHeader(void* user, std::size_t size) {
    *(static_cast<Header*>(user) - 1) = Header{size, kMagic};
}

// Bookkeeping must not land in the arena it keeps.
class Bypass {
public:
    explicit Bypass(SnapshotArena& arena)
        : arena_(arena)
        , was_(arena.active()) {
        arena_.setActive(false);
    }
    ~Bypass() { arena_.setActive(was_); }
    Bypass(const Bypass&) = delete;
    Bypass& operator=(const Bypass&) = delete;

private:
    SnapshotArena& arena_;
    bool was_;
};

} // namespace

SnapshotArena& SnapshotArena::instance() {
    static SnapshotArena arena;
    return arena;
}

void SnapshotArena::setActive(bool active) {
    tlsActive = active;
}

bool SnapshotArena::active() const {
    return tlsActive;
}

SnapshotArena::SnapshotArena()
    : capacity_(kCapacity) {
    void* region = mmap(nullptr, capacity_, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) {
        fail("no address space for the arena");
    }
    base_ = static_cast<char*>(region);
}

void* SnapshotArena::allocate(std::size_t size, std::size_t alignment) {
    const std::size_t align = alignment < kGranule ? kGranule : alignment;
    const std::size_t start = top_;
    const std::size_t user = roundUp(start + sizeof(Header), align);
    const std::size_t end = roundUp(user + (size == 0 ? 1 : size), kGranule) + kRedzone;
    if (end > capacity_) {
        fail("one input holds more memory than the arena has");
    }
    if (end > poisonedTo_) {
        const std::size_t to = std::min(capacity_, roundUp(end, kPoisonStep));
        ASAN_POISON_MEMORY_REGION(base_ + poisonedTo_, to - poisonedTo_);
        poisonedTo_ = to;
    }
    top_ = end;
    char* pointer = base_ + user;
    writeHeader(pointer, size);
    ASAN_UNPOISON_MEMORY_REGION(pointer, size);
    return pointer;
}

bool SnapshotArena::owns(const void* pointer) const {
    const auto* p = static_cast<const char*>(pointer);
    return p >= base_ && p < base_ + capacity_;
}

void SnapshotArena::release(void* pointer) {
    const Header header = readHeader(pointer);
    if (header.magic != kMagic) {
        fail("delete of a pointer the arena never gave out");
    }
    if (deletedBefore(pointer) && header.size != 0) {
        fail("a block deleted twice");
    }
    ASAN_POISON_MEMORY_REGION(pointer, header.size);
    const auto from = static_cast<std::size_t>(static_cast<char*>(pointer) - base_);
    if (!marked_) {
        // Whole granules only: the rest of a granule may be another block's header.
        const std::size_t to = (from + header.size) / kGranule * kGranule;
        if (to > from) {
            Bypass bypass(*this);
            deadBeforeMark_.emplace_back(from, to);
        }
    } else if (from < mark_) {
        Bypass bypass(*this);
        freedBelowMark_.emplace_back(pointer, header.size);
    }
}

void SnapshotArena::mark() {
    Bypass bypass(*this);
    mark_ = top_;
    marked_ = true;
    saved_.resize(mark_);
    copyWords(saved_.data(), base_, mark_);
    freedBelowMark_.clear();
    std::sort(deadBeforeMark_.begin(), deadBeforeMark_.end());
    liveSpans_.clear();
    std::size_t from = 0;
    for (const auto& [deadFrom, deadTo] : deadBeforeMark_) {
        // A gap of a few words costs less to copy than a span of its own.
        if (deadTo - deadFrom < kSmallestSkip) {
            continue;
        }
        if (deadFrom > from) {
            liveSpans_.emplace_back(from, deadFrom);
        }
        from = std::max(from, deadTo);
    }
    if (mark_ > from) {
        liveSpans_.emplace_back(from, mark_);
    }
    std::vector<std::pair<std::size_t, std::size_t>>{}.swap(deadBeforeMark_);
}

std::size_t SnapshotArena::rewoundBytes() const {
    std::size_t bytes = 0;
    for (const auto& [from, to] : liveSpans_) {
        bytes += to - from;
    }
    return bytes;
}

void SnapshotArena::rewind() {
    for (const auto& [pointer, size] : freedBelowMark_) {
        ASAN_UNPOISON_MEMORY_REGION(pointer, size);
    }
    freedBelowMark_.clear();
    ASAN_POISON_MEMORY_REGION(base_ + mark_, top_ - mark_);
    for (const auto& [from, to] : liveSpans_) {
        copyWords(base_ + from, saved_.data() + from, to - from);
    }
    top_ = mark_;
}

} // namespace orvan::fuzz
