// Help: ORVETTA.HLP through the platform's help viewer where that file lies
// beside the program, otherwise the help text in a text window of our own
// (today's Windows has no viewer for .HLP files).
#pragma once

#include <windows.h>

namespace orvetta {

// The help command: opens the help, or brings our help window to the front
// when it is open already.
void helpOpen(HWND owner);

// Our help window, where it is open, shows the help of the face in force.
void helpApplyLanguage();

}  // namespace orvetta
