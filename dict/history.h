// The change history of an edition, and the place list as it stood on a day.
//
// A place counts as current on day D when it existed then: it was current in
// the list the history starts from, or it was created on or before D, and it
// had not ended by D. A change takes effect on its date. Names on day D are
// those before every rename dated after D.
#pragma once

#include <vector>

#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta {

// True for "YYYY-MM-DD" naming a day of the Gregorian calendar.
bool isCalendarDate(const char* text);

// True when `date` is a day the edition's history answers for: from the day
// it starts from up to the snapshot, both included. False without a history.
bool historyCovers(const Edition& edition, const char* date);

// The changes of `number` and the changes whose detail names it as a
// successor, in date order. Letters of the number match in either case.
std::vector<const PlaceChange*> changesOf(const Edition& edition, const char* number);

// Turns the edition's decoded records (recordCount of them in `records`) into
// the list of the end of day `date`: places created after it are dropped, the
// others get the current mark and the name of that day, the remaining slots
// up to recordArray slots are zeroed, and both tables get the new ranges.
// `date` must be covered by the history. Returns the number of records.
int rewindToDate(const Edition& edition, const char* date, PlaceRecord* records, AreaRow* areaTable,
                 PrefectureRow* prefectureTable);

}  // namespace orvetta
