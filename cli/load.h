// Loading the place list for a command of orvetta-lookup.
#pragma once

#include <string>

#include "dict/edition.h"

namespace orvetta::cli {

// Loads `edition` (as of `onDate`, unless empty) and merges the update file
// of the working directory, reporting on standard error as the desktop
// program reports in boxes. False when the dictionary could not be loaded.
bool loadPlaces(const Edition& edition, const std::string& onDate);

// Releases what loadPlaces loaded.
void releasePlaces();

}  // namespace orvetta::cli
