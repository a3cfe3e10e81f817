// What a user reads of the history: a place's changes as text, and days as
// Japanese dates. All texts are Shift-JIS; lines end in LF.
#pragma once

#include <string>

#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta {

// "2004-01-01" as 2004年1月1日. The date must be a calendar date.
std::string japaneseDate(const char* date);

// The notice of a list rewound to `date`: 2004年1月1日現在の地名.
std::string dayNotice(const char* date);

// The title of a place's history: 履歴 - 4707 具志川市.
std::string historyTitle(const PlaceRecord& place);

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
// A number JARL deleted ends with its last day in JARL's list.
std::string historyText(const char* number);

}  // namespace orvetta
