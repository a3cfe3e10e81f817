// The tests work on the program's own list, under the short names they were
// written with: the list's parts, and the calls that are handed it.
#pragma once

#include "dict/load.h"
#include "dict/program_places.h"
#include "search/engine.h"
#include "search/result_line.h"

namespace orvetta {

inline PlaceRecord*& gRecords = gPlaces.records;
inline AreaRow (&gAreaTable)[kAreaRows] = gPlaces.areaTable;
inline PrefectureRow (&gPrefectureTable)[kPrefectureRows] = gPlaces.prefectureTable;

inline int recordCount() { return gPlaces.count(); }
inline int loadDictionary() { return loadDictionary(gPlaces); }
inline void releaseDictionary() { releaseDictionary(gPlaces); }
inline void resetRegionTables() { resetRegionTables(gPlaces); }

inline Scope scopeOf(int prefecturePosition, int areaPosition) {
    return scopeOf(gPlaces, prefecturePosition, areaPosition);
}
inline int runSearch(const SearchRequest& request, ResultList& results) { return runSearch(gPlaces, request, results); }
inline int findNumberEntry(const Scope& scope, const char* text) { return findNumberEntry(gPlaces, scope, text); }
inline const char* resultLine(int index) { return resultLine(gPlaces, index); }
inline int prefectureRowOf(const char* number) { return prefectureRowOf(gPlaces, number); }

}  // namespace orvetta
