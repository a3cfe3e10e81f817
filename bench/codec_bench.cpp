// Dictionary codec timings on the built-in image, beside a general-purpose
// deflate stream (level 9) of the same decoded bytes for scale.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <vector>

#include "dict/codec.h"
#include "dict/place.h"

namespace {

using orvetta::kDecodedDictionarySize;
using orvetta::kDictionaryImage;
using orvetta::kDictionaryImageSize;

std::vector<uint8_t> decodedDictionary() {
    std::vector<uint8_t> out(static_cast<size_t>(kDecodedDictionarySize));
    if (orvetta::decodeDictionary(kDictionaryImage, kDictionaryImageSize, out.data(),
                                  kDecodedDictionarySize) != kDecodedDictionarySize)
        std::abort();
    return out;
}

void setCounters(benchmark::State& state, size_t compressed) {
    state.counters["compressed"] = static_cast<double>(compressed);
    state.counters["decoded"] = kDecodedDictionarySize;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kDecodedDictionarySize);
}

void decodeShippedImage(benchmark::State& state) {
    std::vector<uint8_t> out(static_cast<size_t>(kDecodedDictionarySize));
    for (auto _ : state) {
        const int result = orvetta::decodeDictionary(kDictionaryImage, kDictionaryImageSize,
                                                     out.data(), kDecodedDictionarySize);
        if (result != kDecodedDictionarySize) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
    setCounters(state, kDictionaryImageSize);
}
BENCHMARK(decodeShippedImage)->Unit(benchmark::kMicrosecond);

void inflateSameBytes(benchmark::State& state) {
    const std::vector<uint8_t> plain = decodedDictionary();
    uLongf cbPacked = compressBound(plain.size());
    std::vector<uint8_t> packed(cbPacked);
    if (compress2(packed.data(), &cbPacked, plain.data(), plain.size(), 9) != Z_OK) {
        state.SkipWithError("compress2 failed");
        return;
    }
    std::vector<uint8_t> out(plain.size());
    for (auto _ : state) {
        uLongf cbOut = out.size();
        if (uncompress(out.data(), &cbOut, packed.data(), cbPacked) != Z_OK || cbOut != plain.size())
            state.SkipWithError("uncompress failed");
        benchmark::DoNotOptimize(out.data());
    }
    setCounters(state, cbPacked);
}
BENCHMARK(inflateSameBytes)->Unit(benchmark::kMicrosecond);

void encodeDecodedDictionary(benchmark::State& state) {
    const std::vector<uint8_t> plain = decodedDictionary();
    size_t cbImage = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> image = orvetta::encodeDictionary(plain.data(), plain.size());
        cbImage = image.size();
        benchmark::DoNotOptimize(image.data());
    }
    setCounters(state, cbImage);
}
BENCHMARK(encodeDecodedDictionary)->Unit(benchmark::kMillisecond);

}  // namespace
