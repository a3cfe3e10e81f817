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
