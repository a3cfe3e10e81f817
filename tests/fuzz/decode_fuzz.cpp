// Fuzz target for the dictionary codec.
//
// Input layout: byte 0 picks the mode.
//   even: bytes 1..2 give a request of 1..65536 bytes (big-endian, plus 1);
//         the rest is an image to decode. The result must be 0 or the request.
//   odd:  the rest is data; decoding its encoding must give it back.
// Source and destination are exact-size heap blocks so that any access past
// either end is caught by the address sanitizer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "dict/codec.h"

namespace {

int decodeExact(const uint8_t* image, size_t size, int request, std::unique_ptr<uint8_t[]>* out) {
    std::unique_ptr<uint8_t[]> source(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(source.get(), image, size);
    out->reset(new uint8_t[static_cast<size_t>(request)]);
    return orvetta::decodeDictionary(source.get(), size, out->get(), request);
}

void fuzzDecode(const uint8_t* data, size_t size) {
    if (size < 2) return;
    const int request = ((data[0] << 8) | data[1]) + 1;
    std::unique_ptr<uint8_t[]> out;
    const int result = decodeExact(data + 2, size - 2, request, &out);
    if (result != 0 && result != request) std::abort();
}

void fuzzRoundTrip(const uint8_t* data, size_t size) {
    if (size == 0) return;
    const std::vector<uint8_t> image = orvetta::encodeDictionary(data, size);
    std::unique_ptr<uint8_t[]> out;
    const int request = static_cast<int>(size);
    if (decodeExact(image.data(), image.size(), request, &out) != request) std::abort();
    if (std::memcmp(out.get(), data, size) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2 == 0)
        fuzzDecode(data + 1, size - 1);
    else
        fuzzRoundTrip(data + 1, size - 1);
    return 0;
}
