// Loading the built-in dictionary.
//
// The record array is one zero-filled block of recordArraySlots() records: the
// decoded dictionary of the edition in use followed by 100 spare slots that the update file may
// fill. No partial dictionary is ever used: after a failed decode the caller
// ends the program and the block goes back with the release.
#include "dict/load.h"

#include <cstring>

#include "dict/codec.h"
#include "dict/edition.h"
#include "dict/heap.h"
#include "dict/place.h"

namespace orvetta {

const char kMemoryErrorText[] =
    "\x8b\xf3\x82\xab\x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n"
    "\x8fI\x97\xb9\x82\xb5\x82\xdc\x82\xb7";  // 空きメモリが足りません\n終了します
const char kMemoryErrorCaption[] =
    "Orvetta\x81\x46\x83\x81\x83\x82\x83\x8a\x83G\x83\x89\x81[";  // Orvetta：メモリエラー
const char kInitErrorText[] =
    "\x8e\xab\x8f\x91\x82\xcc\x8f\x89\x8a\xfa\x89\xbb\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\n"
    "\x8fI\x97\xb9\x82\xb5\x82\xdc\x82\xb7";  // 辞書の初期化に失敗しました\n終了します
const char kInitErrorCaption[] = "Orvetta\x81\x46\x8f\x89\x8a\xfa\x89\xbb\x83G\x83\x89\x81[";  // Orvetta：初期化エラー

LoadSeams defaultLoadSeams() { return {heapAllocZeroed, gEdition->image, gEdition->imageSize}; }

LoadSeams gLoadSeams = defaultLoadSeams();

int loadDictionary(PlaceList& places) {
    releaseDictionary(places);
    resetRegionTables(places);
    markChanged(places);
    const size_t blockSize = static_cast<size_t>(recordArraySlots()) * sizeof(PlaceRecord);
    places.records = static_cast<PlaceRecord*>(gLoadSeams.allocate(blockSize));
    if (!places.records) return kLoadNoMemory;
    return decodeDictionary(gLoadSeams.image, gLoadSeams.imageSize, reinterpret_cast<uint8_t*>(places.records),
                            decodedDictionarySize());
}

int loadEditionList(PlaceList& places, const Edition& edition) {
    releaseDictionary(places);
    std::memcpy(places.areaTable, edition.areaTable, sizeof places.areaTable);
    std::memcpy(places.prefectureTable, edition.prefectureTable, sizeof places.prefectureTable);
    markChanged(places);
    const size_t blockSize = static_cast<size_t>(edition.recordCount + kSpareSlots) * sizeof(PlaceRecord);
    places.records = static_cast<PlaceRecord*>(heapAllocZeroed(blockSize));
    if (!places.records) return kLoadNoMemory;
    return decodeDictionary(edition.image, edition.imageSize, reinterpret_cast<uint8_t*>(places.records),
                            decodedSize(edition));
}

void releaseDictionary(PlaceList& places) {
    heapFree(places.records);
    places.records = nullptr;
}

}  // namespace orvetta
