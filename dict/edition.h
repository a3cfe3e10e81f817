// Editions of the built-in dictionary.
//
// An edition is one place list turned into an image, its region tables and a
// few texts at build time (tools/mkdict writes one source file per edition).
// The desktop programs are one source linked with one edition each: the
// program-wide gEdition is defined by the small object that picks the
// edition (dict/program_edition.cpp.in), so choosing an edition is a link-time
// choice and no code asks which edition it runs. orvetta-lookup links both
// and switches with selectEdition() before it loads.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/place.h"

namespace orvetta {

// What one line of an edition's change history records.
enum class ChangeKind : char {
    Created = 'c',  // the place came into being under this number
    Renamed = 'r',  // its name or reading changed; the number stays
    Ended = 'e',    // it was merged, abolished or moved away: old from then on
};

// One dated change since the edition's history began (texts Shift-JIS).
struct PlaceChange {
    char date[11];   // "YYYY-MM-DD", the day the change took effect
    char number[7];  // the place it changed
    ChangeKind kind;
    const char* detail;      // the history's own words (English)
    const char* detailJa;    // the same detail in Japanese, for users
    const char* successors;  // Ended: the numbers the detail names as taking
                             // over, separated by one space; otherwise ""
    const char* oldKanji;    // Renamed: name, reading and kind before the
    const char* oldReading;  // change; otherwise "", "" and '\0'
    char oldKind;
};

// The JARL award whose list holds a number.
enum class JarlAward : char {
    Jcc,  // cities, and Tokyo's 23 wards
    Jcg,  // districts
    Ku,   // wards of the designated cities
};

// One number of JARL's lists of cities, districts and wards (texts Shift-JIS).
struct JarlNumber {
    char number[7];
    const char* kanji;  // JARL's spelling, which may differ from the place list's
    const char* romaji;
    bool current;         // false: deleted
    bool reserved;        // a number JARL keeps unused (欠番): never counted
    char lastDay[11];     // deleted: "YYYY-MM-DD", the last day it counts; "" if none
    bool lastDayIsBound;  // lastDay is only an upper bound: the number ended before it
    JarlAward award;
};

struct Edition {
    const char* name;          // "1998", "current": the word orvetta-lookup takes
    const char* snapshotDate;  // "YYYY-MM-DD": the day the list describes
    const char* aboutNotice;   // about box line naming the snapshot (Shift-JIS)
    const char* statusNotice;  // status bar notice (Shift-JIS)
    const uint8_t* image;      // the compressed records
    size_t imageSize;
    int recordCount;                       // records the image decodes to
    const AreaRow* areaTable;              // kAreaRows rows, as shipped
    const PrefectureRow* prefectureTable;  // kPrefectureRows rows, as shipped
    // Change history, in date order; historySince is the day before the
    // first change (the state the list had then is the earlier edition's).
    const PlaceChange* changes;
    int changeCount;
    const char* historySince;  // "YYYY-MM-DD", or "" without a history
    // JARL's numbers, sorted byte-wise by number; only with a history.
    const JarlNumber* jarlNumbers;
    int jarlCount;
    // The two notices in English, for the English face.
    const char* aboutNoticeEn;
    const char* statusNoticeEn;
};

// Generated from dict/places.tsv and from dict/current/.
extern const Edition kEdition1998;
extern const Edition kEditionCurrent;

// The edition the program runs with; defined where the edition is chosen.
extern const Edition* gEdition;

// Makes `edition` the one loadDictionary decodes: the load seams go back to
// their defaults and the tables to the edition's shipped values.
void selectEdition(const Edition& edition);

// Bytes the image of `edition` decodes to.
inline int decodedSize(const Edition& edition) { return edition.recordCount * kRecordSize; }

inline int shippedRecordCount() { return gEdition->recordCount; }
inline int decodedDictionarySize() { return decodedSize(*gEdition); }
inline int recordArraySlots() { return gEdition->recordCount + kSpareSlots; }
inline const AreaRow* shippedAreaTable() { return gEdition->areaTable; }
inline const PrefectureRow* shippedPrefectureTable() { return gEdition->prefectureTable; }

}  // namespace orvetta
