// The place-name tree window: a popup owned by the main window that shows
// every place under its call area and prefecture.
#pragma once

#include <windows.h>

#include "dict/place.h"
#include <commctrl.h>

namespace orvetta {

extern HWND gTreeWindow;           // the popup; null until created
extern HWND gTreeView;             // its tree view (id 114)
extern HIMAGELIST gTreeImageList;  // the tree view's normal image list
// Each node's item data: a place node holds its record index, an area or
// prefecture node this value.
constexpr LPARAM kTreeNoRecord = -1;
// Time the last tree fill took (all node insertions), for the start-up
// measurement.
extern double gTreeFillMilliseconds;

// Registers the tree window class (once), creates the visible popup owned by
// `owner` with its tree view and image list, and builds the whole tree from
// the records as they stand. Returns the popup, or null if it could not be
// created.
HWND createTreeWindow(HINSTANCE instance, HWND owner, const PlaceList& places);

// Empties the tree and builds it again from `places` (the list rebuilt for
// another day). Nothing happens once the tree window is gone.
void treeRebuild(const PlaceList& places);

// The title and every node in the face in force (the tree is built again,
// all nodes closed).
void treeApplyLanguage();

// Gives the tree font to the tree view, with an immediate redraw.
void treeSetFont(HFONT font);

// Release step: destroys the tree view's image list if the tree view still
// exists and has one.
void treeReleaseImageList();

}  // namespace orvetta
