// The change history of an edition, and the place list as it stood on a day.
//
// A place counts as current on day D when it existed then: it was current in
// the list the history starts from, or it was created on or before D, and it
// had not ended by D. A change takes effect on its date. Names on day D are
// those before every rename dated after D.
#pragma once

#include <span>
#include <vector>

#include "dict/date.h"
#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta {

// One kind of change, with its words: the English one history.tsv and
// orvetta-lookup use, and the Japanese one for users (Shift-JIS).
struct ChangeKindInfo {
    ChangeKind kind;
    const char* word;
    const char* wordJa;
};

// Every kind of change, in the order created, renamed, ended.
std::span<const ChangeKindInfo> changeKinds();
const ChangeKindInfo& changeKindInfo(ChangeKind kind);
// The kind whose English word is `word`; nullptr for any other text.
const ChangeKindInfo* changeKindFromWord(const char* word);

// True when a change dated `changeDate` has taken effect by the end of `date`
// (both "YYYY-MM-DD").
bool inEffectOn(const char* changeDate, const char* date);

// Where a place stands at the end of a day.
struct PlaceStanding {
    bool exists;   // false: created later
    bool current;  // exists and has not ended
};

// The standing of a place at the end of `date`, from the days the history
// created and ended it ("" for none) and, for a place it does not create,
// whether the place was current when the history began.
PlaceStanding placeStandingOn(const char* date, const char* createdOn, const char* endedOn, bool currentAtStart);

// True when `date` is a day the edition's history answers for: from the day
// it starts from up to the snapshot, both included. False without a history.
bool historyCovers(const Edition& edition, const char* date);

// The changes of `number` and the changes whose detail names it as a
// successor, in date order. Letters of the number match in either case.
std::vector<const PlaceChange*> changesOf(const Edition& edition, const char* number);

// Turns the edition's decoded list (its recordCount records) into the list of
// the end of day `date`: places created after it are dropped, the
// others get the current mark and the name of that day, the remaining slots
// up to recordArray slots are zeroed, and both tables get the new ranges.
// `date` must be covered by the history. Returns the number of records.
int rewindToDate(const Edition& edition, const char* date, PlaceList& places);

// The edition whose history every program answers from: today's, with its
// changes and JARL's number list. Any program may call it, whichever edition
// it runs with.
const Edition& historyEdition();

// JARL's numbers of the history edition, sorted byte-wise by number.
std::span<const JarlNumber> jarlNumbers();

// The entry of `number` in JARL's lists, or nullptr.
const JarlNumber* findJarlNumber(const char* number);

// JARL's last day ("YYYY-MM-DD") of a deleted number; *isBound tells that JARL
// gives it only as an upper bound (the number ended before it). nullptr for a
// number that is current, never counted, without a known day or not listed.
const char* jarlLastDay(const char* number, bool* isBound);

}  // namespace orvetta
