// A place's history in the history text window: its changes since the
// history began and JARL's last day of a deleted number.
#pragma once

#include <windows.h>

#include "dict/place.h"

namespace orvetta {

// Shows the history of `place` in the history window owned by `owner`,
// opening it or replacing what it showed.
void historyOpen(HWND owner, const PlaceRecord& place);

// The history window, where it is open, shows its place in the face in force.
void historyApplyLanguage();

}  // namespace orvetta
