// Memory for the texts and arrays of browsing whose allocation can fail. The
// windows report such a failure in a message box instead of ending the program,
// so the allocation goes through one replaceable function: tests install one
// that refuses, to see each failure path.
#pragma once

#include <cstddef>

using BrowseAllocator = void* (*)(std::size_t size);

// Installs an allocator, which hands out memory from malloc or nullptr (nullptr
// restores plain malloc); returns the previous one.
BrowseAllocator SetBrowseAllocator(BrowseAllocator allocator);

// nullptr when the memory cannot be had; release with BrowseFree.
void* BrowseAlloc(std::size_t size);
void BrowseFree(void* block);

// Whether a block of `size` bytes can be had right now (it is taken and given back).
bool BrowseMemoryAvailable(std::size_t size);
