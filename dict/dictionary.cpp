// Program-wide dictionary state.
#include <cstring>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"

namespace orvetta {

PlaceRecord* gRecords = nullptr;
AreaRow gAreaTable[kAreaRows];
PrefectureRow gPrefectureTable[kPrefectureRows];

void resetRegionTables() {
    std::memcpy(gAreaTable, gEdition->areaTable, sizeof gAreaTable);
    std::memcpy(gPrefectureTable, gEdition->prefectureTable, sizeof gPrefectureTable);
}

void selectEdition(const Edition& edition) {
    gEdition = &edition;
    gLoadSeams = defaultLoadSeams();
    resetRegionTables();
}

namespace {
// The tables start with the shipped values, before anything else runs.
struct ShippedTables {
    ShippedTables() { resetRegionTables(); }
} gShippedTables;
}  // namespace

}  // namespace orvetta
