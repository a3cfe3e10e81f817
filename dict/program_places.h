// The program's own place list. Only start-up code names it; everything else
// is handed the list it works on.
#pragma once

#include "dict/place.h"

namespace orvetta {

extern PlaceList gPlaces;

}  // namespace orvetta
