// Loading the place list for a command of orvetta-lookup.
#pragma once

#include <string>

#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta::cli {

// Loads `edition` into `places` (as of `onDate`, unless empty) and merges the
// update file of the working directory, reporting on standard error as the
// desktop program reports in boxes. False when the list could not be loaded.
bool loadPlaces(const Edition& edition, const std::string& onDate, PlaceList& places);

// Releases what loadPlaces loaded.
void releasePlaces(PlaceList& places);

}  // namespace orvetta::cli
