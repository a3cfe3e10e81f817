// Copying for a log: Ctrl+C and a context menu in the result list and in the
// tree view put a number or a line on the clipboard; Ctrl+H and the menu's
// last item show the selected place's history.
//
//   result list  Ctrl+C: the selected line, every line when none is selected
//                menu:   番号をコピー (the number before the tab), 行をコピー,
//                        すべてコピー, 履歴を表示
//   tree view    Ctrl+C: the node's line; menu: 番号をコピー, 行をコピー,
//                履歴を表示 (a place node's line is its result line; an area
//                or prefecture node has no number and copies its caption)
//
// The text goes to the clipboard as Unicode text, lines separated by CR LF,
// tabs kept. A command with nothing to copy, or a history without a place,
// is greyed in the menu and does nothing.
#pragma once

#include <windows.h>

#include "dict/place.h"

#include <string>

namespace orvetta {

// Gives the result list and the tree view (either may be null) their copy
// key and context menu.
void attachCopying(HWND resultList, HWND treeView, const PlaceList& places);

// Puts `text` on the clipboard as Unicode text. False when the clipboard
// could not be had or the text not stored.
bool clipboardSetText(HWND owner, const std::wstring& text);

}  // namespace orvetta
