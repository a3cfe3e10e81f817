// Process heap seam: zero-filled blocks from the platform's process heap.
// heap_win.cpp serves Windows, heap_portable.cpp every other system.
#pragma once

#include <cstddef>

namespace orvetta {

// A zero-filled block of `size` bytes, or null when the heap has none.
void* heapAllocZeroed(size_t size);
// Returns a block from heapAllocZeroed; null is ignored.
void heapFree(void* block);

}  // namespace orvetta
