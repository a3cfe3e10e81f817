// Place names in romaji, for the English face.
//
// A record's romaji name is its own name with the suffix of its kind:
//   札幌市 さっぽろし          Sapporo-shi
//   足寄町 あしょろちょう      Ashoro-cho     (町 read まち: -machi)
//   鶴居村 つるいむら          Tsurui-mura    (村 read そん: -son)
//   雨竜郡(空知) うりゅうぐん(そらち)  Uryu-gun (Sorachi)
// The stem is JARL's romaji where JARL's lists hold the number (cities,
// districts and wards), else the reading spelled in modified Hepburn without
// macrons (appendHepburn). The suffix follows the reading's last kana, and is
// left out where JARL's romaji already names the kind ("Oshima-Shicho",
// "Tokyo 23-wards") or the name ends in no kind suffix. A subprefecture in
// brackets comes last, behind the suffix.
#pragma once

#include <string>

#include "dict/place.h"
#include "text/language.h"

namespace orvetta {

// Appends the romaji name of `record`: ASCII, never empty. Fields are read up
// to their NUL or their width.
void appendRomajiName(const PlaceRecord& record, std::string& out);
std::string romajiName(const PlaceRecord& record);

// A record's own name as a face shows it beside its number: the kanji in
// Japanese, "Gushikawa-shi (具志川市)" in English (Shift-JIS).
std::string placeName(const PlaceRecord& record, Language language);

// A prefecture row's name ("北海道" or "Hokkaido") and a call area's tree
// caption ("８エリア(北海道)" or "Area 8 (Hokkaido)"): Shift-JIS in Japanese,
// ASCII in English.
const char* prefectureLabel(const PrefectureRow& row, Language language);
const char* areaCaptionLabel(const AreaCaption& caption, Language language);

}  // namespace orvetta
