// Loading the place list for a command of orvetta-lookup.
#pragma once

#include <string>

#include "cli/options.h"
#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta::cli {

// Loads `edition` into `places` (as of --on, unless not given) and merges the
// update file the options name (./velkarad.txt by default, none with
// --no-update). A missing file is passed over in silence; a rejected one and
// a failed load are reported on standard error. False when the list could
// not be loaded.
bool loadPlaces(const Options& options, const Edition& edition, PlaceList& places);

// Releases what loadPlaces loaded.
void releasePlaces(PlaceList& places);

}  // namespace orvetta::cli
