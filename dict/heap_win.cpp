// Process heap seam, Windows: HeapAlloc on the process heap.
#include <windows.h>

#include "dict/heap.h"

namespace orvetta {

void* heapAllocZeroed(size_t size) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size); }

void heapFree(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace orvetta
