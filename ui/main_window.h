// The main window: class registration, start-up inside its creation, the
// release steps at its destruction, the menu commands and the about box.
#pragma once

#include <windows.h>

#include "dict/edition.h"

namespace orvetta {

extern HINSTANCE gInstance;  // the module holding the resources
extern HWND gMainWindow;     // set once creation of the main window returns

// Registers the main window class "VELKAR", or finds it registered already.
// Returns false on failure.
bool registerMainWindowClass(HINSTANCE instance);

// Creates the main window, which runs the whole start-up with `edition`, the
// edition in use. Returns null when creation failed or start-up ended the
// program (no dictionary).
HWND createMainWindow(HINSTANCE instance, const Edition& edition);

// The entry's work: registration, creation, show, message loop. Returns the
// process exit code.
int runProgram(HINSTANCE instance, int showCommand, const Edition& edition);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the modal about box owned by `owner`, naming the snapshot of
// `edition`; returns its result (always 1).
INT_PTR showAboutBox(HWND owner, const Edition& edition);
INT_PTR CALLBACK aboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a message box owned by `owner` with Shift-JIS text and caption.
int messageBoxSjis(HWND owner, const char* text, const char* caption, UINT type);

// The help file the help command opens where it lies beside the program.
extern const wchar_t kHelpFile[];

}  // namespace orvetta
