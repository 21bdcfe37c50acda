// The C runtime's heap takes one lock for every allocation and every release. Under
// Wine that lock made the threads that read many songs' tags at once (the tag library
// allocates a few hundred small blocks a song) slower together than one thread alone.
// So each thread keeps the small blocks it frees, by size class, and serves its next
// requests of that size from them; only a miss or a full class goes to the runtime.
// A block may be freed by another thread than the one that made it: it simply joins
// that thread's blocks. Every block comes from malloc with a header naming its class,
// so any of them can always go back to free.
#include "platform/thread_cached_new.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHeader = 16;  // keeps the caller's part aligned as malloc's is
constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 32;  // 16, 32, ... 512 bytes
constexpr std::size_t kUncached = kClasses;
constexpr unsigned kKeptPerClass = 128;

struct FreeBlock {
    FreeBlock* next;
};

// Plain data, so that no destructor of its own runs at a thread's end (one registered
// for it would allocate while the first allocation of the thread is under way).
struct Kept {
    FreeBlock* blocks[kClasses];
    unsigned count[kClasses];
};
thread_local Kept t_kept;

std::size_t ClassOf(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGranule; }

}  // namespace

void ReleaseThreadAllocations() {
    for (std::size_t c = 0; c < kClasses; ++c) {
        while (FreeBlock* block = t_kept.blocks[c]) {
            t_kept.blocks[c] = block->next;
            std::free(reinterpret_cast<char*>(block) - kHeader);
        }
        t_kept.count[c] = 0;
    }
}

void* operator new(std::size_t size) {
    const std::size_t c = ClassOf(size);
    if (c < kClasses) {
        if (FreeBlock* block = t_kept.blocks[c]) {
            t_kept.blocks[c] = block->next;
            --t_kept.count[c];
            return block;
        }
    }
    const std::size_t payload = c < kClasses ? (c + 1) * kGranule : size;
    if (payload > static_cast<std::size_t>(-1) - kHeader) throw std::bad_alloc();
    char* raw = static_cast<char*>(std::malloc(kHeader + payload));
    if (!raw) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(raw) = c < kClasses ? c : kUncached;
    return raw + kHeader;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    char* raw = static_cast<char*>(p) - kHeader;
    const std::size_t c = *reinterpret_cast<std::size_t*>(raw);
    if (c < kClasses && t_kept.count[c] < kKeptPerClass) {
        auto* block = static_cast<FreeBlock*>(p);
        block->next = t_kept.blocks[c];
        t_kept.blocks[c] = block;
        ++t_kept.count[c];
        return;
    }
    std::free(raw);
}

// The runtime's own forms would call the two above; giving them here keeps every form
// on one scheme whatever the library defines.
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { operator delete(p); }
