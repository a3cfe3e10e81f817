// Help: ORVETTA.HLP through the platform's help viewer where that file lies
// beside the program, otherwise a help window of our own (today's Windows has
// no viewer for .HLP files): a resizable window owned by the main window with
// the help text in a read-only edit control, so it can be selected and copied.
#pragma once

#include <windows.h>

namespace orvetta {

extern HWND gHelpWindow;  // our help window; null while it is closed

// The help command: opens the help, or brings our help window to the front
// when it is open already.
void helpOpen(HWND owner);

// Release step: closes our help window if it is still open.
void helpClose();

}  // namespace orvetta
