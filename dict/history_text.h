// What a user reads of the history: a place's changes as text, and days as
// Japanese dates. All texts are Shift-JIS; lines end in LF.
#pragma once

#include <string>

#include "dict/edition.h"
#include "dict/place.h"
#include "text/language.h"

namespace orvetta {

// "2004-01-01" as 2004年1月1日. The date must be a calendar date.
std::string japaneseDate(const char* date);

// "2004-01-01" as 1 January 2004.
std::string englishDate(const char* date);

// A day as the user reads it: japaneseDate or englishDate.
std::string shownDate(const char* date, Language language);

// The notice of a list rewound to `date`: 2004年1月1日現在の地名, Places as of
// 1 January 2004.
std::string dayNotice(const char* date, Language language = Language::Japanese);

// The title of a place's history: 履歴 - 4707 具志川市, or History - 4707 NAME
// with the name a face shows (`name`, Shift-JIS; the kanji when null).
std::string historyTitle(const PlaceRecord& place, Language language = Language::Japanese, const char* name = nullptr);

// One change as a line of the history of `number` (in capitals), without its
// line end: the date, the change's word and its detail with `gap` between
// them; a change of another place (one that names `number` as successor)
// names that place before its detail. Japanese words and details unless
// `english`.
std::string historyLine(const PlaceChange& change, const std::string& number, const char* gap, bool english);

// The history of `number` from the history every program carries, one change
// a line in date order: "2005-04-01  廃止  具志川市: 4713 うるま市 に新設合併".
// The changes naming it as successor come with the changed place's number
// before their detail. Without a change: 1998年4月1日以降の変更はありません.
// A number JARL deleted ends with its last day in JARL's list. In English the
// kinds and details are the history's own English words, as
// `orvetta-lookup history --lang en` prints them.
std::string historyText(const char* number, Language language = Language::Japanese);

}  // namespace orvetta
