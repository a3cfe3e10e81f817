// Loading the place list for a command of orvetta-lookup.
#pragma once

#include <string>

#include "cli/options.h"
#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"

namespace orvetta::cli {

// Loads `edition` into `places` (as of --on, unless not given) and merges the
// update file the options name (./velkarad.txt by default, none with
// --no-update). A missing ./velkarad.txt is passed over in silence; a rejected
// file and a failed load are reported on standard error, and so is a file
// --update names that does not open: passing over it would answer from a
// list the user did not ask for. Returns kExitFound when the list is ready,
// kExitUsage for that file (released then), kExitNoDictionary when the list
// could not be loaded (nothing to release then). A ready list is given back
// with releaseDictionary.
int loadPlaces(const Options& options, const Edition& edition, PlaceList& places);

}  // namespace orvetta::cli
