// The one-line text the result list shows for one place record.
//
// Japanese:
//   city, district, Tokyo ward:  number TAB prefecture kanji(reading)marker
//   ward, town, village:         number TAB prefecture parentKanji(parentReading)kanji(reading)marker
// The marker is 【旧】 for an old place.
//
// English, with the romaji names of search/romaji_name.h:
//   city, district, Tokyo ward:  number TAB name, Prefecture (kanji)
//   ward, town, village:         number TAB name, parentName, Prefecture (parentKanji kanji)
// and " (deleted)" behind an old place: 0132<TAB>Kameda-shi, Hokkaido (亀田市) (deleted).
// Both are Shift-JIS bytes (romaji is ASCII), so the screen converts them alike.
//
// A ward, town or village whose parent record cannot be found gets the
// no-parent text alone.
#pragma once

#include <string_view>

#include "dict/place.h"
#include "text/language.h"

namespace orvetta {

constexpr int kResultBufferSize = 1024;

// Program-wide: holds the last line built, NUL-terminated Shift-JIS.
extern char gResultBuffer[kResultBufferSize];

// The line of a place whose parent is missing, and the line of a search
// that found nothing.
inline constexpr char kNoMatchText[] =
    "\x8d\x87\x92v\x82\xb7\x82\xe9\x92n\x96\xbc\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // 合致する地名がありません
inline constexpr char kNoMatchTextEnglish[] = "No matching place";
// What an English line (and the English tree) puts behind an old place, in
// place of 【旧】.
inline constexpr char kDeletedMarkEnglish[] = " (deleted)";
inline const char* noMatchText(Language language) {
    return language == Language::English ? kNoMatchTextEnglish : kNoMatchText;
}

// Builds the line of record `index` of `places` (0..last index in use, not
// checked) into gResultBuffer and returns it. The next call overwrites it.
const char* resultLine(const PlaceList& places, int index, Language language = Language::Japanese);

// The number a result line starts with: its bytes before the tab (a tab
// byte never occurs inside a Shift-JIS character). A line without a tab, the
// no-parent text or the form's no-hit line, has no number: empty.
std::string_view resultLineNumber(const char* line);

// Prefecture row of a number: the first of rows 0..46 whose code equals its
// first two characters, else row 47.
int prefectureRowOf(const PlaceList& places, const char* number);

}  // namespace orvetta
