// Update file seam, portable: open(2) with fstat for the type and size. POSIX
// has no open without sharing; anything but a regular file counts as not
// openable, as it does on Windows. The open does not block, so a FIFO of that
// name is turned away at once instead of waiting for a writer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "dict/heap.h"
#include "update/update_source.h"

namespace orvetta {

namespace {

int checkFile(int fd, size_t limit, size_t* size) {
    struct stat status;
    if (fstat(fd, &status) != 0) return kSourceNoSize;
    if (!S_ISREG(status.st_mode)) return kSourceCannotOpen;
    if (status.st_size <= 0) return kSourceEmpty;
    if (static_cast<unsigned long long>(status.st_size) > limit) return kSourceTooLarge;
    *size = static_cast<size_t>(status.st_size);
    return kSourceRead;
}

// Reads up to `size` bytes; a regular file ignores the non-blocking flag.
void readAll(int fd, char* buffer, size_t size) {
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, buffer + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
}

}  // namespace

int readUpdateSource(const char* name, size_t limit, UpdateSource* source) {
    source->buffer = nullptr;
    source->size = 0;
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return kSourceCannotOpen;

    size_t size = 0;
    int result = checkFile(fd, limit, &size);
    if (result == kSourceRead) {
        char* buffer = static_cast<char*>(heapAllocZeroed(size + kSourcePadding));
        if (buffer) {
            readAll(fd, buffer, size);
            source->buffer = buffer;
            source->size = size;
        } else {
            result = kSourceNoMemory;
        }
    }
    close(fd);
    return result;
}

}  // namespace orvetta
