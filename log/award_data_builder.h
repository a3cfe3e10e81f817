// The award check's data from what the programs carry: JARL's number list and
// the change history of today's edition, and today's place list as loaded.
#pragma once

#include "dict/edition.h"
#include "dict/place.h"
#include "log/award_data.h"

namespace orvetta {

// Fills AwardData from JARL's numbers and the changes of `history` (the
// edition every program answers the history from), with names, town and
// village codes and prefecture names from `currentList`: that edition's list
// as loaded for today (not rewound), update file merged. JARL's status and last day rule its numbers; the history gives
// first days (creations after the day it starts from), successors, and the
// days towns and villages began and ended; the list's day is `history`'s.
AwardData buildAwardData(const PlaceList& currentList, const Edition& history);

}  // namespace orvetta
