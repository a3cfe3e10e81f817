// Merging staged update records into the record array and the region tables.
#pragma once

#include "dict/place.h"

namespace orvetta {

// Placement key: the first four bytes of a number (NUL where the number is
// shorter); for a city the last two become "00", i.e. prefecture code + "00".
struct PlacementKey {
    char bytes[4];
};

// Applies the staged records in order. A record whose number is in use
// replaces that record where it stands; any other is inserted by its
// placement key (see merge.cpp), moving the later records up into the spare
// slots and both tables with them. The record count is area row 0's last + 1.
// The array needs room for one more record per staged record: the caller
// stages at most kSpareSlots. Returns 1; it cannot fail.
int mergeUpdates(PlaceRecord* records, AreaRow* areaTable, PrefectureRow* prefectureTable, const PlaceRecord* staging,
                 int stagedCount);

// Moves the records from `index` to area row 0's last up by one slot, so that
// slot `index` may be overwritten. Call before the tables grow.
void shiftRecordsUp(const AreaRow* areaTable, PlaceRecord* records, int index);

// Brings both tables in step with one insertion under `key`: row 0 of both
// tables grows by one; the key's prefecture row (1..47) grows at its end and
// every later one up to 47 moves up; area rows 1..10 follow their prefectures.
// A key with no prefecture row grows row 0 only. Row 48 never changes.
void growRegionRanges(AreaRow* areaTable, PrefectureRow* prefectureTable, const PlacementKey& key);

}  // namespace orvetta
