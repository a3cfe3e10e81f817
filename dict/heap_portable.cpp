// Process heap seam, portable: calloc/free.
#include <cstdlib>

#include "dict/heap.h"

namespace orvetta {

void* heapAllocZeroed(size_t size) { return std::calloc(1, size); }

void heapFree(void* block) { std::free(block); }

}  // namespace orvetta
