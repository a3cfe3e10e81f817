// Update file seam, portable: stdio with fstat for the size. POSIX has no
// open without sharing; anything but a regular file counts as not openable,
// as it does for CreateFileA.
#include <sys/stat.h>

#include <cstdio>

#include "dict/heap.h"
#include "update/update_source.h"

namespace orvetta {

int readUpdateSource(const char* name, UpdateSource* source) {
    source->buffer = nullptr;
    source->size = 0;
    std::FILE* file = std::fopen(name, "rb");
    if (!file) return kSourceCannotOpen;

    struct stat status;
    if (fstat(fileno(file), &status) != 0) {
        std::fclose(file);
        return kSourceNoSize;
    }
    if (!S_ISREG(status.st_mode)) {
        std::fclose(file);
        return kSourceCannotOpen;
    }
    if (status.st_size <= 0) {
        std::fclose(file);
        return kSourceNoSize;
    }
    const size_t size = static_cast<size_t>(status.st_size);
    char* buffer = static_cast<char*>(heapAllocZeroed(size + kSourcePadding));
    if (!buffer) {
        std::fclose(file);
        return kSourceNoMemory;
    }
    size_t got = 0;
    while (got < size) {
        const size_t n = std::fread(buffer + got, 1, size - got, file);
        if (n == 0) break;
        got += n;
    }
    std::fclose(file);
    source->buffer = buffer;
    source->size = size;
    return kSourceRead;
}

}  // namespace orvetta
