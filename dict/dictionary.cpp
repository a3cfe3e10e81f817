// Program-wide dictionary state.
#include <cstring>

#include "dict/place.h"

namespace orvetta {

PlaceRecord* gRecords = nullptr;
AreaRow gAreaTable[kAreaRows];
PrefectureRow gPrefectureTable[kPrefectureRows];

void resetRegionTables() {
    std::memcpy(gAreaTable, kShippedAreaTable, sizeof gAreaTable);
    std::memcpy(gPrefectureTable, kShippedPrefectureTable, sizeof gPrefectureTable);
}

namespace {
// The tables start with the shipped values, before anything else runs.
struct ShippedTables {
    ShippedTables() { resetRegionTables(); }
} gShippedTables;
}  // namespace

}  // namespace orvetta
