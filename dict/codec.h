// Dictionary codec: an LZW variant with multi-entry growth and
// least-recently-used replacement (format described in codec.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvetta {

// Decodes `request` bytes from the compressed stream `source` (of
// `sourceSize` bytes) into `destination`. Returns `request` when exactly that
// many bytes were produced, otherwise 0: absent source, request 0, a code not
// yet in use, running out of input, or a last string ending past the request.
// Never writes past destination[request - 1] and never reads past
// source[sourceSize - 1]. Allocates nothing.
int decodeDictionary(const uint8_t* source, size_t sourceSize, uint8_t* destination, int request);

// Encodes `data` so that decodeDictionary reads it back, taking the longest
// entry that fits the current code width at every step. Deterministic: the
// built-in image is exactly this function's output for the packed records.
std::vector<uint8_t> encodeDictionary(const uint8_t* data, size_t size);

}  // namespace orvetta
