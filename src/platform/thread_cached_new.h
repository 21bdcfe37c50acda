// The Windows program's operator new and delete keep, in each thread, the blocks it
// freed, by size, for that thread's next requests: see thread_cached_new.cpp. The native
// build keeps the runtime's own (its sanitizers watch them).
#pragma once

// Gives a thread's kept blocks back to the C runtime: called by a thread of the
// program's own just before it ends (the program's first thread keeps its blocks).
#ifdef _WIN32
void ReleaseThreadAllocations();
#else
inline void ReleaseThreadAllocations() {}
#endif
