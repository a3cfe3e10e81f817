// Update file seam, Windows: CreateFileW with no sharing, so a file that
// another program holds open reads as one that cannot be opened. The name is
// UTF-8 (orvetta-lookup's --update takes any file name).
#include <windows.h>

#include <string>

#include "dict/heap.h"
#include "text/utf.h"
#include "update/update_source.h"

namespace orvetta {

namespace {

int checkFile(HANDLE file, size_t limit, DWORD* size) {
    // Only a file on disk: a pipe or a device of that name is no update file.
    if (GetFileType(file) != FILE_TYPE_DISK) return kSourceCannotOpen;
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return kSourceNoSize;
    if (high == 0 && low == 0) return kSourceEmpty;
    if (high != 0 || low > limit) return kSourceTooLarge;
    *size = low;
    return kSourceRead;
}

}  // namespace

int readUpdateSource(const char* name, size_t limit, UpdateSource* source) {
    source->buffer = nullptr;
    source->size = 0;
    std::u16string utf16;
    if (!utf16FromUtf8(name, utf16)) return kSourceCannotOpen;
    const std::wstring wideName(utf16.begin(), utf16.end());
    HANDLE file =
        CreateFileW(wideName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kSourceCannotOpen;

    DWORD size = 0;
    int result = checkFile(file, limit, &size);
    if (result == kSourceRead) {
        char* buffer = static_cast<char*>(heapAllocZeroed(static_cast<size_t>(size) + kSourcePadding));
        if (buffer) {
            DWORD got = 0;
            ReadFile(file, buffer, size, &got, nullptr);
            source->buffer = buffer;
            source->size = size;
        } else {
            result = kSourceNoMemory;
        }
    }
    CloseHandle(file);
    return result;
}

}  // namespace orvetta
