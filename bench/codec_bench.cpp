// Dictionary codec timings on the built-in images of both editions, each
// beside a general-purpose deflate stream (level 9) of the same decoded bytes
// for scale. The benchmark argument picks the edition: 0 = 1998, 1 = current.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <vector>

#include "dict/codec.h"
#include "dict/edition.h"
#include "dict/place.h"

namespace {

using orvetta::Edition;

const Edition& editionOf(const benchmark::State& state) {
    return state.range(0) == 0 ? orvetta::kEdition1998 : orvetta::kEditionCurrent;
}

std::vector<uint8_t> decodedDictionary(const Edition& edition) {
    std::vector<uint8_t> out(static_cast<size_t>(decodedSize(edition)));
    if (orvetta::decodeDictionary(edition.image, edition.imageSize, out.data(), decodedSize(edition)) !=
        decodedSize(edition))
        std::abort();
    return out;
}

void setCounters(benchmark::State& state, size_t compressed, int decoded) {
    state.SetLabel(editionOf(state).name);
    state.counters["compressed"] = static_cast<double>(compressed);
    state.counters["decoded"] = decoded;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * decoded);
}

void decodeShippedImage(benchmark::State& state) {
    const Edition& edition = editionOf(state);
    std::vector<uint8_t> out(static_cast<size_t>(decodedSize(edition)));
    for (auto _ : state) {
        const int result =
            orvetta::decodeDictionary(edition.image, edition.imageSize, out.data(), decodedSize(edition));
        if (result != decodedSize(edition)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
    setCounters(state, edition.imageSize, decodedSize(edition));
}
BENCHMARK(decodeShippedImage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void inflateSameBytes(benchmark::State& state) {
    const std::vector<uint8_t> plain = decodedDictionary(editionOf(state));
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
    setCounters(state, cbPacked, static_cast<int>(plain.size()));
}
BENCHMARK(inflateSameBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void encodeDecodedDictionary(benchmark::State& state) {
    const std::vector<uint8_t> plain = decodedDictionary(editionOf(state));
    size_t cbImage = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> image = orvetta::encodeDictionary(plain.data(), plain.size());
        cbImage = image.size();
        benchmark::DoNotOptimize(image.data());
    }
    setCounters(state, cbImage, static_cast<int>(plain.size()));
}
BENCHMARK(encodeDecodedDictionary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
