// Place record, region tables and the program-wide dictionary state.
//
// Every place is one fixed 55-byte record; all records sit side by side in
// the record array. Two tables index that array by region: the area table
// (one row per call-area choice position) and the prefecture table (row 0 =
// all, rows 1..47 = prefectures in code order, row 48 closes the table).
// All text is Shift-JIS bytes, NUL-terminated inside fixed-width fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvetta {

// Kind digits.
constexpr char kKindCity = '4';
constexpr char kKindDistrict = '5';
constexpr char kKindWard = '6';
constexpr char kKindTown = '7';
constexpr char kKindVillage = '8';

// The two readings of `current`. A result line takes any digit 1 to 9 for a
// place that exists and anything else for an old one; the tree, its icon and
// its label alike, takes only '1' for a place that exists.
inline bool isCurrentForLine(char current) { return current >= '1' && current <= '9'; }
inline bool isCurrentForTree(char current) { return current == '1'; }

// The mark behind an old place, in a result line and in the tree.
inline constexpr char kOldMarker[] = "\x81y\x8b\x8c\x81z";  // 【旧】

// The record layout is also the layout of the decoded dictionary image, so
// the byte positions are part of the format: number 0..6, kanji 7..23,
// reading 24..52, kind 53, current 54.
struct PlaceRecord {
    char number[7];    // 4..6 ASCII characters + NUL
    char kanji[17];    // at most 16 bytes + NUL
    char reading[29];  // at most 28 bytes + NUL
    char kind;         // '4'..'8', no terminator
    char current;      // '1' exists, '0' old, no terminator
};
static_assert(sizeof(PlaceRecord) == 55, "place record is 55 packed bytes");
static_assert(alignof(PlaceRecord) == 1, "records are packed back to back");

constexpr int kRecordSize = 55;
constexpr int kSpareSlots = 100;
constexpr int kAreaRows = 11;        // 0 = all, 1..9 = areas 1..9, 10 = area 0
constexpr int kPrefectureRows = 49;  // 0 = all, 1..47, 48 = "不明"
constexpr int kLastPrefectureRow = 47;
constexpr int kClosingPrefectureRow = 48;

struct AreaRow {
    int32_t first;  // inclusive record indices
    int32_t last;
};

struct PrefectureRow {
    char code[3];      // two ASCII digits + NUL
    char name[9];      // Shift-JIS, at most 4 kanji
    char english[10];  // ASCII, as the English face names it: "Hokkaido", "All" in row 0
    char area[4];      // call-area digit as a string; "*" in row 0
    int32_t first;
    int32_t last;
};

// Area choice labels, in area table row order (Shift-JIS).
extern const char* const kAreaChoiceLabels[kAreaRows];

// Tree captions of the call areas, in display order, each with the area
// string that selects its prefectures (Shift-JIS).
struct AreaCaption {
    const char* area;
    const char* caption;
    const char* english;  // the English face's caption (ASCII)
};
constexpr int kAreaCaptionCount = 10;
extern const AreaCaption kAreaCaptions[kAreaCaptionCount];

// Which prefecture rows make up each area table row 1..10.
struct AreaComposition {
    int firstPrefectureRow;
    int lastPrefectureRow;
};
extern const AreaComposition kAreaComposition[kAreaRows];  // row 0 unused

// Numbers are equal when their bytes agree up to the NUL, over at most the 7
// bytes of a number field (so a field without its NUL is read no further).
// Exact, for records against records.
bool sameNumber(const char* a, const char* b);
// Letters of either case alike ("01001b" is "01001B"), for numbers a person
// wrote: a typed number, a number named in the change history.
bool sameNumberIgnoringCase(const char* a, const char* b);

// The kind the end of a Shift-JIS place name gives: its last two bytes
// against 市 郡 区 町 村, whether or not a character begins at the first of
// them; 0 when they are none of these.
char kindOfNameSuffix(const char* name, size_t cb);

// The prefecture code 1..47 that the first two bytes of a number (or of an
// update line, or a code alone) spell as two digits, "01" to "47"; 0 for
// anything else, a text shorter than two bytes included.
int prefectureCodeOf(std::string_view text);

// One place list: the record array with its two region tables. The record
// count is area row 0's last + 1; the array has room for recordArraySlots()
// records. Code that searches, shows or changes places is handed the list it
// works on; only start-up code names the program's own list (gPlaces).
struct PlaceList {
    PlaceRecord* records = nullptr;  // null until loaded
    AreaRow areaTable[kAreaRows] = {};
    PrefectureRow prefectureTable[kPrefectureRows] = {};
    // The list's state: drawn afresh from one program-wide count whenever the
    // list is loaded, rewound or merged into (markChanged). No two states of
    // any lists share a version, so what is derived from a list (the search's
    // folded texts) can tell it is old even when another list reuses the
    // address, the record block and the count. 0 until first loaded.
    uint64_t version = 0;

    int count() const { return areaTable[0].last + 1; }
};

// Gives `places` a version no list has had; every change of a list calls it.
void markChanged(PlaceList& places);

// Puts both tables of `places` back to the shipped values of the edition in
// use.
void resetRegionTables(PlaceList& places);

// Sets the first and last of area rows 1..10 from the prefecture rows each
// spans (kAreaComposition); row 0 is left alone.
void spanAreaRows(const PrefectureRow* prefectureTable, AreaRow* areaTable);

// Sets the first and last of every row of both tables from `count` records
// that stand grouped by prefecture in code order; codes, names and areas stay.
// A prefecture without records gets first = last + 1 at its place. Returns
// false when a record stands outside its prefecture's run.
bool rebuildRegionRanges(const PlaceRecord* records, int count, AreaRow* areaTable, PrefectureRow* prefectureTable);

}  // namespace orvetta
