#include "browse/browse_memory.h"

#include <cstdlib>

namespace {

void* DefaultAlloc(std::size_t size) { return std::malloc(size); }

BrowseAllocator g_allocator = &DefaultAlloc;

}  // namespace

BrowseAllocator SetBrowseAllocator(BrowseAllocator allocator) {
    BrowseAllocator previous = g_allocator;
    g_allocator = allocator ? allocator : &DefaultAlloc;
    return previous;
}

void* BrowseAlloc(std::size_t size) { return g_allocator(size == 0 ? 1 : size); }

// Every allocator hands out malloc'ed memory or none at all.
void BrowseFree(void* block) { std::free(block); }

bool BrowseMemoryAvailable(std::size_t size) {
    void* block = BrowseAlloc(size);
    if (!block) return false;
    BrowseFree(block);
    return true;
}
