// Update file seam: reads the whole update file of the current directory.
// update_source_win.cpp serves Windows, update_source_portable.cpp every other
// system; nothing else in update/ touches the file system.
#pragma once

#include <cstddef>

namespace orvetta {

constexpr int kSourceRead = 0;        // the file is in the buffer
constexpr int kSourceCannotOpen = 1;  // missing, locked, no regular file (a directory, a FIFO), no access
constexpr int kSourceNoSize = 2;      // its size cannot be taken
constexpr int kSourceNoMemory = 3;    // the heap has no buffer for it
constexpr int kSourceEmpty = 4;       // 0 bytes
constexpr int kSourceTooLarge = 5;    // more than `limit` bytes; nothing was read

// The file buffer: the file's bytes followed by kSourcePadding zero bytes, so
// a NUL always ends the data. The buffer comes from heapAllocZeroed.
constexpr size_t kSourcePadding = 50;
struct UpdateSource {
    char* buffer;
    size_t size;  // bytes of the file
};

// Opens `name` (UTF-8; relative to the current directory) for reading (an existing regular file
// only, shared with no one, never waiting for a writer), checks its size
// against `limit` before allocating anything, reads it whole and closes it.
// On kSourceRead the caller owns source->buffer and returns it with heapFree;
// on every other result the buffer is null. A read that stops early is not an
// error: the bytes not read stay zero.
int readUpdateSource(const char* name, size_t limit, UpdateSource* source);

}  // namespace orvetta
