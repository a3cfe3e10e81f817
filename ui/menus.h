// The menus of the main window and the tree window, built from one table in
// the face in force.
#pragma once

#include <windows.h>

namespace orvetta {

HMENU createMainMenu();
HMENU createTreeMenu();

// Gives the main window, and the tree window while it exists, their menus in
// the face in force; a greyed item stays greyed.
void menusApplyLanguage(HWND mainWindow);

}  // namespace orvetta
