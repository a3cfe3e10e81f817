// The program's place list and the edition switch.
#include <cstring>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "dict/program_places.h"

namespace orvetta {

PlaceList gPlaces;

void resetRegionTables(PlaceList& places) {
    std::memcpy(places.areaTable, gEdition->areaTable, sizeof places.areaTable);
    std::memcpy(places.prefectureTable, gEdition->prefectureTable, sizeof places.prefectureTable);
}

void selectEdition(const Edition& edition) {
    gEdition = &edition;
    gLoadSeams = defaultLoadSeams();
    resetRegionTables(gPlaces);
}

namespace {
// The program's tables start with the shipped values, before anything else
// runs.
struct ShippedTables {
    ShippedTables() { resetRegionTables(gPlaces); }
} gShippedTables;
}  // namespace

}  // namespace orvetta
