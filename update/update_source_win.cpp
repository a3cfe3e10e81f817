// Update file seam, Windows: CreateFileA with no sharing, so a file that
// another program holds open reads as one that cannot be opened.
#include <windows.h>

#include "dict/heap.h"
#include "update/update_source.h"

namespace orvetta {

int readUpdateSource(const char* name, UpdateSource* source) {
    source->buffer = nullptr;
    source->size = 0;
    HANDLE file = CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kSourceCannotOpen;

    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    // A file of 4 GiB or more has no buffer either: it counts as no size.
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size == 0) {
        CloseHandle(file);
        return kSourceNoSize;
    }
    char* buffer = static_cast<char*>(heapAllocZeroed(static_cast<size_t>(size) + kSourcePadding));
    if (!buffer) {
        CloseHandle(file);
        return kSourceNoMemory;
    }
    DWORD got = 0;
    ReadFile(file, buffer, size, &got, nullptr);
    CloseHandle(file);
    source->buffer = buffer;
    source->size = size;
    return kSourceRead;
}

}  // namespace orvetta
